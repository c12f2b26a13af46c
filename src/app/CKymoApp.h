#pragma once

#include <QApplication>
#include <memory>

class CMainFrame;

// The application object: settings location, the main frame with its document and view, and
// the file named on the command line.
class CKymoApp : public QApplication {
public:
    CKymoApp(int& argc, char** argv);
    ~CKymoApp() override;

    // Creates the main frame and opens the command line's file. False ends the program.
    bool InitInstance();
    CMainFrame* MainFrame() const { return m_frame.get(); }

private:
    std::unique_ptr<CMainFrame> m_frame;
};
