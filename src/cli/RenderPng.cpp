#include "cli/RenderPng.h"

#include "document/CKymoDoc.h"
#include "view/DocumentView.h"
#include "view/ViewMessages.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdlib>
#include <regex>

void EnsureGuiApplication() {
    if (QCoreApplication::instance()) return;
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") &&
        !std::getenv("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "sonalyx-cli";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

std::optional<RenderSize> ParseRenderSize(const CliArgs& args, CliContext& ctx) {
    RenderSize size;
    const auto text = args.Get("size");
    if (!text) return size;
    std::smatch m;
    static const std::regex pattern(R"((\d{1,5})[xX](\d{1,5}))");
    if (!std::regex_match(*text, m, pattern)) {
        ctx.err << "invalid --size " << *text << " (expected WxH)\n";
        return std::nullopt;
    }
    size.width = std::stoi(m[1]);
    size.height = std::stoi(m[2]);
    if (size.width < 16 || size.height < 16 || size.width > 8000 || size.height > 8000) {
        ctx.err << "invalid --size " << *text << " (16..8000 pixels each way)\n";
        return std::nullopt;
    }
    return size;
}

int WriteViewPng(CKymoDoc& doc, const std::string& path, const RenderSize& size, CliContext& ctx) {
    EnsureGuiApplication();
    ViewState state;
    state.startScreenRandom = 0;
    DrawResult result;
    QImage image = RenderDocumentView(doc, state, QSize(size.width, size.height), &result);
    if (!result.warning.empty()) {
        doc.Ui().ShowCaptionedMessage(viewmsg::kCaption, result.warning, MessageIcon::Warning);
        if (result.repaint) image = RenderDocumentView(doc, state, QSize(size.width, size.height));
    }
    if (!image.save(QString::fromStdString(path), "PNG")) {
        ctx.err << "cannot write " << path << "\n";
        return 1;
    }
    return 0;
}
