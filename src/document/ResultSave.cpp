// "保存(*.opr,*.csv)(&A)": the current result as a measurement-data file or CSV.
#include "document/CKymoDoc.h"
#include "document/HistoryEntry.h"
#include "document/MeasurementFile.h"
#include "document/ResultCsv.h"
#include "document/SavePath.h"

namespace {
constexpr const char* kSaveFilter = "MeasureData(*.opr)|*.opr|MeasureData(*.csv)|*.csv||";
constexpr const char* kNeedExtension = "拡張子を指定して下さい(*.opr|*.csv)";
} // namespace

int CKymoDoc::OnSaveResult() {
    const auto chosen = m_ui.AskSaveFileName("", kSaveFilter);
    if (!chosen || chosen->empty()) return 0;
    const std::string path = HasExtension(*chosen) ? *chosen : *chosen + ".csv";
    const MeasurementSource src = DocumentMeasurementSource(*this);
    if (path.find(".csv") != std::string::npos) return WriteResultCsv(m_ui, path, src);
    if (path.find(".opr") == std::string::npos) {
        // Another extension ends the command.
        m_ui.ShowMessage(kNeedExtension);
        return 0;
    }
    if (!WriteMeasurementData(m_ui, path, src)) return 0;
    AddHistory(MakeHistoryEntry("Write File", 0.0f, 0.0f, "--", path));
    return 1;
}
