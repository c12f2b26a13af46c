#pragma once

#include <QApplication>
#include <memory>

class CMainFrame;

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
