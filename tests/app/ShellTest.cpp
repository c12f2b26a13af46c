#include "AppTestSupport.h"

#include "app/AppCommands.h"
#include "app/CKymoApp.h"
#include "app/CMainFrame.h"
#include "app/CMainStatusBar.h"
#include "app/CStartupBanner.h"
#include "app/FrameSettings.h"
#include "app/dialogs/CVersionInfoDlg.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "document/ScriptedUi.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolBar>

#include <gtest/gtest.h>

#include <new>

namespace {

class Shell : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureTestApp();
        ClearAppSettings();
    }
    void TearDown() override { CStartupBanner::EnableBanner(false); }
    CScriptedUi ui;
};

void StoreWindowPos(const char* text) {
    OpenAppSettings()->setValue(QStringLiteral("Settings/WindowPos"), QString::fromLatin1(text));
}

} // namespace

TEST_F(Shell, WindowPosParsesOnlyExactlyTenIntegers) {
    EXPECT_TRUE(ParseWindowPos(QStringLiteral("0:1:-1:-1:-1:-1:10:20:650:500")));
    const char* rejected[] = {"0:1:-1:-1:-1:-1:10:20:650", "0:1:-1:-1:-1:-1:10:20:650:500:7",
                              "0:1:-1:-1:-1:-1:10:20:650:x", "", "0:1:-1:-1:-1:-1:10:20:650:"};
    for (const char* text : rejected)
        EXPECT_FALSE(ParseWindowPos(QString::fromLatin1(text))) << text;
}

TEST_F(Shell, TenNumbersRestoreThePlacementNineAreIgnored) {
    StoreWindowPos("0:1:-1:-1:-1:-1:100:120:740:600");
    {
        CMainFrame frame(&ui);
        EXPECT_EQ(frame.geometry(), QRect(100, 120, 640, 480));
    }
    StoreWindowPos("0:1:-1:-1:-1:-1:100:120:740");
    {
        CMainFrame frame(&ui);
        EXPECT_EQ(frame.size(), QSize(1024, 720));
    }
}

TEST_F(Shell, ClosingSavesPlacementAndMaximisedStateComesBack) {
    {
        CMainFrame frame(&ui);
        frame.setGeometry(50, 60, 700, 500);
        frame.show();
        frame.showMaximized();
        QApplication::processEvents();
        frame.close();
    }
    const QString stored =
        OpenAppSettings()->value(QStringLiteral("Settings/WindowPos")).toString();
    const auto placement = ParseWindowPos(stored);
    ASSERT_TRUE(placement) << stored.toStdString();
    EXPECT_EQ(placement->Flags() & WindowPlacement::kRestoreToMaximized,
              WindowPlacement::kRestoreToMaximized);
    EXPECT_EQ(placement->ShowCommand(), WindowPlacement::kShowMaximized);

    CMainFrame again(&ui);
    again.ShowWithPlacement();
    QApplication::processEvents();
    EXPECT_TRUE(again.isMaximized());
    again.close();
}

TEST_F(Shell, ToolbarVisibilityIsRemembered) {
    {
        CMainFrame frame(&ui);
        frame.show();
        frame.OnCommand(cmd::ID_VIEW_TOOLBAR);
        frame.close();
    }
    CMainFrame again(&ui);
    EXPECT_TRUE(again.ToolBar().isHidden());
}

TEST_F(Shell, RecentFilesKeepFourMostRecentFirst) {
    CMainFrame frame(&ui);
    QStringList paths;
    for (int i = 0; i < 5; ++i) {
        paths << WriteTestWav(QStringLiteral("r%1.wav").arg(i), 1, 1024);
        ASSERT_TRUE(frame.OpenDocumentFile(paths.last()));
    }
    ASSERT_EQ(frame.RecentFiles().Files().size(), 4);
    EXPECT_TRUE(frame.RecentFiles().Files().first().endsWith(QStringLiteral("r4.wav")));
    EXPECT_TRUE(frame.CommandAction(cmd::ID_FILE_MRU_FILE1 + 3)->isVisible());
    EXPECT_TRUE(frame.CommandAction(cmd::ID_FILE_MRU_FILE1 + 3)->isEnabled());

    frame.OnCommand(cmd::ID_FILE_MRU_FILE1 + 3); // r1.wav
    EXPECT_TRUE(frame.RecentFiles().Files().first().endsWith(QStringLiteral("r1.wav")));

    CMainFrame again(&ui);
    EXPECT_EQ(again.RecentFiles().Files(), frame.RecentFiles().Files());
}

TEST_F(Shell, StatusBarHasTheIndicatorPanesAndShowsPrompts) {
    CMainFrame frame(&ui);
    QStringList texts;
    for (QLabel* pane : frame.StatusBar().Indicators()) texts << pane->text();
    EXPECT_EQ(texts, (QStringList{QString::fromUtf8("ｶﾅ"), QStringLiteral("CAP"),
                                  QStringLiteral("NUM"), QStringLiteral("SCRL")}));
    EXPECT_EQ(frame.StatusBar().MessageText(), QString::fromUtf8("ﾚﾃﾞｨ"));
    frame.CommandAction(cmd::ID_FFT)->showStatusText(&frame);
    EXPECT_EQ(frame.StatusBar().MessageText(), QString::fromUtf8("高速フーリエ変換の実行"));
}

TEST_F(Shell, BannerClosesOnKeyOrMousePress) {
    CStartupBanner::EnableBanner(true);
    QWidget other;
    for (int round = 0; round < 2; ++round) {
        CStartupBanner::ShowBanner(nullptr);
        ASSERT_NE(CStartupBanner::Instance(), nullptr);
        CStartupBanner::ShowBanner(nullptr); // one at most
        if (round == 0) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
            QApplication::sendEvent(&other, &press);
        } else {
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1),
                              Qt::RightButton, Qt::RightButton, Qt::NoModifier);
            QApplication::sendEvent(&other, &press);
        }
        EXPECT_EQ(CStartupBanner::Instance(), nullptr) << round;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(Shell, BannerIsSuppressedWhenDisabled) {
    CStartupBanner::EnableBanner(false);
    CStartupBanner::ShowBanner(nullptr);
    EXPECT_EQ(CStartupBanner::Instance(), nullptr);
}

TEST_F(Shell, VersionDialogTextsAndHomePageFailure) {
    CVersionInfoDlg dlg(ui);
    EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ情報(Sonalyx)"));
    EXPECT_EQ(dlg.ProductText(), QString::fromUtf8("Sonalyx：1.1"));
    EXPECT_TRUE(dlg.MemoryText().startsWith(QString::fromUtf8("物理ﾒﾓﾘｰ容量：")));
    EXPECT_TRUE(dlg.MemoryText().endsWith(QStringLiteral(" KB")));
    EXPECT_TRUE(dlg.DiskText().startsWith(QString::fromUtf8("空きﾃﾞｨｽｸ容量：")));
    EXPECT_TRUE(dlg.DiskText().contains(QStringLiteral(" KB Free on /")));

    ui.openSucceeds = false;
    dlg.findChild<QPushButton*>(QStringLiteral("hp"))->click();
    ASSERT_EQ(ui.opened.size(), 1u);
    EXPECT_EQ(ui.opened[0], CVersionInfoDlg::kWebAddress);
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"ｲﾝﾀｰﾈｯﾄｴｸｽﾌﾟﾛｰﾗを開けませんでした！"});
    dlg.adjustSize();
    SaveGrabToGallery(dlg, "version");
}

TEST_F(Shell, DiskAndMemoryTextFormats) {
    EXPECT_EQ(PhysicalMemoryText(8123456UL), QString::fromUtf8("物理ﾒﾓﾘｰ容量：8123456 KB"));
    EXPECT_EQ(FreeDiskText(42UL, QStringLiteral("/home")),
              QString::fromUtf8("空きﾃﾞｨｽｸ容量：42 KB Free on /home"));
    EXPECT_EQ(FreeDiskText(std::nullopt, QStringLiteral("/")),
              QString::fromUtf8("空きﾃﾞｨｽｸ容量：Unavailable"));
}

TEST_F(Shell, GrabMainWindowWithStereoWave) {
    CMainFrame frame(&ui);
    ASSERT_TRUE(frame.OpenDocumentFile(WriteTestWav("grab.wav", 2)));
    frame.resize(1024, 600);
    frame.show();
    QApplication::processEvents();
    const QImage main = frame.grab().toImage();
    SaveImageToGallery(main, "main");
    // The envelopes are drawn inside the view (channel 2 mixes into channel 1's green).
    const QWidget* view = frame.centralWidget();
    const QRect area(view->mapTo(&frame, QPoint(0, 0)), view->size());
    int wavePixels = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = main.pixelColor(x, y);
            wavePixels += c.green() > c.red() + 60 && c.green() > c.blue() + 60;
        }
    EXPECT_GT(wavePixels, 100);
    int i = 0;
    for (QAction* top : frame.menuBar()->actions()) {
        QMenu* menu = top->menu();
        emit menu->aboutToShow();
        menu->popup(QPoint(0, 0));
        QApplication::processEvents();
        EXPECT_FALSE(menu->actions().isEmpty()) << top->text().toStdString();
        SaveGrabToGallery(*menu, QStringLiteral("menu%1").arg(i++).toUtf8().constData());
        menu->hide();
    }
    const QPixmap banner = CStartupBanner::BannerPicture();
    EXPECT_FALSE(banner.isNull());
    SaveImageToGallery(banner.toImage(), "banner");
    frame.close();
}

TEST_F(Shell, CommandLineNamesTheFileAndCanSuppressTheBanner) {
    StartupArgs plain = ParseStartupArgs({QStringLiteral("sonalyx")});
    EXPECT_TRUE(plain.file.isEmpty());
    EXPECT_TRUE(plain.showBanner);
    StartupArgs args = ParseStartupArgs({QStringLiteral("sonalyx"), QStringLiteral("--no-banner"),
                                         QStringLiteral("a.wav"), QStringLiteral("b.wav")});
    EXPECT_EQ(args.file, QStringLiteral("a.wav"));
    EXPECT_FALSE(args.showBanner);
}

TEST_F(Shell, FailedOpenKeepsTitleAndRecentList) {
    CMainFrame frame(&ui);
    EXPECT_FALSE(frame.OpenDocumentFile(QStringLiteral("/nonexistent/none.wav")));
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<std::string>{"/nonexistent/none.wav\nﾌｧｲﾙを開けませんでした。"});
    EXPECT_TRUE(frame.RecentFiles().Files().isEmpty());
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Analyzer - Sonalyx"));
}

// After a failed open no wave is held, so the title no longer names the file opened before.
TEST_F(Shell, FailedOpenAfterAWaveRestoresTheTitle) {
    CMainFrame frame(&ui);
    ASSERT_TRUE(frame.OpenDocumentFile(WriteTestWav("held.wav", 2, 2048)));
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("held.wav - Sonalyx"));
    const QTemporaryDir folder;
    for (const QString& bad : {folder.path() + QStringLiteral("/none.wav"), folder.path()}) {
        ui.Clear();
        EXPECT_FALSE(frame.OpenDocumentFile(bad));
        EXPECT_EQ(ui.MessageTexts(),
                  std::vector<std::string>{bad.toStdString() + "\nﾌｧｲﾙを開けませんでした。"});
        EXPECT_FALSE(frame.Document().HasWave());
        EXPECT_EQ(frame.windowTitle(), QStringLiteral("Analyzer - Sonalyx"));
    }
}

TEST_F(Shell, SaveAsWritesTheWaveAndNamesTheWindow) {
    CMainFrame frame(&ui);
    ASSERT_TRUE(frame.OpenDocumentFile(WriteTestWav("source.wav", 2, 2048)));
    const QString target = GrabDir() + QStringLiteral("/saved");
    QFile::remove(target + QStringLiteral(".wav"));
    ui.fileAnswers.push_back(target.toStdString()); // no extension: ".wav" is appended
    frame.OnCommand(cmd::ID_FILE_SAVE_AS);
    EXPECT_TRUE(QFile::exists(target + QStringLiteral(".wav")));
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("saved.wav - Sonalyx"));
    EXPECT_TRUE(frame.RecentFiles().Files().first().endsWith(QStringLiteral("saved.wav")));
}

TEST_F(Shell, CommandsThatRunOutOfMemoryAreReported) {
    int ran = 0;
    EXPECT_TRUE(RunCommandGuarded(ui, [&] { ++ran; }));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(RunCommandGuarded(ui, [&] {
        ++ran;
        throw std::bad_alloc();
    }));
    EXPECT_EQ(ran, 2);
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<std::string>{"ﾒﾓﾘの確保ができませんでした。new出来ず"});
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
}

// A wave replaced by down-sampling is shown as such and does not overwrite its file unasked.
TEST_F(Shell, SaveOfADownSampledWaveAsksBeforeOverwritingItsFile) {
    CMainFrame frame(&ui);
    const QString source = WriteTestWav("source48k.wav", 2, 20000);
    ASSERT_TRUE(frame.OpenDocumentFile(source));
    const qint64 sourceBytes = QFileInfo(source).size();
    ASSERT_EQ(frame.Document().DecimateWave(), 1);
    frame.Document().UpdateAllViews();
    EXPECT_EQ(frame.windowTitle(),
              QString::fromUtf8("source48k.wav [ﾀﾞｳﾝｻﾝﾌﾟﾘﾝｸﾞ後 24000Hz] - Sonalyx"));

    // "No": Save As instead; the source keeps its bytes.
    const QTemporaryDir folder;
    const QString other = folder.filePath(QStringLiteral("half.wav"));
    ui.Clear();
    ui.yesNoAnswers.push_back(false);
    ui.fileAnswers.push_back(other.toStdString());
    frame.OnCommand(cmd::ID_FILE_SAVE);
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0].rfind(source.toStdString(), 0), 0u);
    EXPECT_EQ(QFileInfo(source).size(), sourceBytes);
    EXPECT_LT(QFileInfo(other).size(), sourceBytes);
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("half.wav - Sonalyx"));

    // Saved under its own name, the wave is no longer a replacement: Save asks nothing.
    ui.Clear();
    frame.OnCommand(cmd::ID_FILE_SAVE);
    EXPECT_TRUE(ui.questions.empty());
}
