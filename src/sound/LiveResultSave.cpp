// "保存" of the instrument panels: the current live result as measurement data or CSV.
#include "document/CKymoDoc.h"
#include "document/MeasurementFile.h"
#include "document/ResultCsv.h"
#include "document/SavePath.h"

namespace {
constexpr const char* kDefaultName = "MeasureData";
constexpr const char* kFilter = "(*.opr)|*.opr|(*.csv)|*.csv||";
constexpr const char* kNeedExtension = "拡張子を指定して下さい(*.opr|*.csv)";
} // namespace

int CKymoDoc::SaveLiveResult() {
    const auto path =
        AskSavePath(m_ui, kDefaultName, kFilter, {".csv", ".opr"}, ".csv", kNeedExtension);
    if (!path) return 0;
    return SaveLiveResultAs(*path);
}

int CKymoDoc::SaveLiveResultAs(const std::string& path) {
    const MeasurementSource src = DocumentMeasurementSource(*this);
    if (path.size() >= 4 && path.compare(path.size() - 4, 4, ".csv") == 0)
        return WriteResultCsv(m_ui, path, src);
    return WriteMeasurementData(m_ui, path, src) ? 1 : 0;
}
