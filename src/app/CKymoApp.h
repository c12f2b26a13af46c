#pragma once

#include <QApplication>
#include <memory>

class CMainFrame;

// What the command line asks for: [--no-banner] [FILE]; words after the file are ignored.
struct StartupArgs {
    QString file;
    bool showBanner = true;
};
StartupArgs ParseStartupArgs(const QStringList& arguments);

// The application object: settings location, user-interface font, the start-up banner, the
// main frame with its document and view, and the file named on the command line.
//
// Command line: [--no-banner] [FILE]. --no-banner suppresses the start-up banner.
class CKymoApp : public QApplication {
public:
    CKymoApp(int& argc, char** argv);
    ~CKymoApp() override;

    // Creates the main frame, shows the banner, opens the command line's file and shows the
    // window. False ends the program.
    bool InitInstance();
    CMainFrame* MainFrame() const { return m_frame.get(); }

private:
    std::unique_ptr<CMainFrame> m_frame;
};
