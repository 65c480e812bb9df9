#include "app/VantixApp.h"

#include "ShellResources.h"
#include "app/CommandLineInfo.h"
#include "app/MainFrame.h"
#include "app/RecoveryCopy.h"
#include "app/ShellFonts.h"
#include "app/ShellIcons.h"
#include "app/TerminationSignals.h"
#include "app/VantixDoc.h"
#include "app/VantixView.h"
#include "dialogs/MessageSink.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

namespace {

CVantixApp*& TheApp() {
    static CVantixApp* pApp = nullptr;
    return pApp;
}

// Without a real display nobody could answer a message box: there the
// message goes to standard error only.
bool CanShowMessageBoxes() {
    const QString strPlatform = QGuiApplication::platformName();
    return strPlatform != QLatin1String("offscreen") && strPlatform != QLatin1String("minimal");
}

} // namespace

CVantixApp::CVantixApp() {
    TheApp() = this;
}

CVantixApp::~CVantixApp() {
    m_pSignals.reset();
    m_pMainFrame.reset();
    if (TheApp() == this) {
        TheApp() = nullptr;
    }
}

CVantixApp* CVantixApp::Instance() {
    return TheApp();
}

namespace {

// The toolkit ends the program with exit() when the connection to the
// display is lost: what was typed is kept as on a signal.
void WriteRecoveryAtExit() {
    const CVantixApp* pApp = CVantixApp::Instance();
    if (pApp != nullptr && pApp->GetMainFrame() != nullptr &&
        !pApp->GetMainFrame()->WriteRecoveryNow()) {
        std::fprintf(stderr, "vantix: 復元用のコピーを書けませんでした。\n");
    }
}

} // namespace

void CVantixApp::SetUpApplication() {
    QCoreApplication::setApplicationName(QString::fromUtf8(LoadResString(AFX_IDS_APP_TITLE)));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTIX_VERSION));
    qApp->setProperty("applicationDescription", QStringLiteral("Vantix ｱﾌﾟﾘｹｰｼｮﾝ"));
    qApp->setProperty("applicationComment", QStringLiteral("自作支援計算ツール"));
    QGuiApplication::setDesktopFileName(QStringLiteral("vantix"));

    // The user interface is Japanese whatever the desktop's language, the
    // toolkit's own buttons and dialogs included.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    const QString strTranslations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* pszCatalog : {"qtbase_ja"}) {
        auto pTranslator = std::make_unique<QTranslator>();
        if (pTranslator->load(QString::fromLatin1(pszCatalog), strTranslations)) {
            QCoreApplication::installTranslator(pTranslator.get());
            m_translators.push_back(std::move(pTranslator));
        }
    }
    QApplication::setFont(DialogFont(9.0));
    QApplication::setWindowIcon(ApplicationIcon());
}

int CVantixApp::InitInstance(const QStringList& arguments) {
    const CCommandLineInfo info = CCommandLineInfo::Parse(arguments);
    switch (info.eCommand) {
    case CCommandLineInfo::Invalid:
        ReportStartupError(info.strError + QLatin1Char('\n') + CCommandLineInfo::UsageText());
        return 2;
    case CCommandLineInfo::ShowVersion:
        std::printf("Vantix %s\n", VANTIX_VERSION);
        return 0;
    case CCommandLineInfo::ShowHelp:
        std::fputs(CCommandLineInfo::UsageText().toLocal8Bit().constData(), stdout);
        return 0;
    default:
        break;
    }

    m_pMainFrame = std::make_unique<CMainFrame>();
    const bool bInteractive = info.eCommand != CCommandLineInfo::FilePrintToPdf &&
                              info.eCommand != CCommandLineInfo::FilePrint;
    if (bInteractive) {
        WatchForTermination();
        static const bool bAtExit = std::atexit(WriteRecoveryAtExit) == 0;
        static_cast<void>(bAtExit);
    }
    if (!info.strFileName.isEmpty()) {
        // A large log is read with the window up, which shows the progress.
        const bool bShowFirst =
            bInteractive && QFileInfo(info.strFileName).size() >= CVantixDoc::kBackgroundReadBytes;
        if (bShowFirst) {
            m_pMainFrame->show();
        }
        QString strError;
        const bool bLoaded =
            bShowFirst ? m_pMainFrame->LoadWithProgress(info.strFileName, strError)
                       : m_pMainFrame->GetDocument()->LoadFile(info.strFileName, strError);
        // A read the user cancelled leaves an empty window to work in.
        const bool bCancelled = bShowFirst && !bLoaded && strError.isEmpty();
        if (bCancelled) {
            m_pMainFrame->GetDocument()->OnNewDocument();
            m_pMainFrame->ShowNotice(QStringLiteral("%1 の読み込みを取り消しました。")
                                         .arg(QFileInfo(info.strFileName).fileName()));
        } else if (!bLoaded) {
            if (!strError.isEmpty()) {
                ReportStartupError(strError);
            }
            return 1;
        }
    }
    if (info.eCommand == CCommandLineInfo::FilePrintToPdf) {
        return PrintToPdf(info.strPdfName);
    }
    if (info.eCommand == CCommandLineInfo::FilePrint) {
        return PrintToDefaultPrinter();
    }
    if (info.eCommand == CCommandLineInfo::FileOpen &&
        !m_pMainFrame->GetDocument()->GetPathName().isEmpty()) {
        m_pMainFrame->AddToRecentFileList(m_pMainFrame->GetDocument()->GetPathName());
        m_pMainFrame->ShowNotice(m_pMainFrame->GetDocument()->FormatNotice());
    }
    m_pMainFrame->show();
    m_pMainFrame->GetView()->setFocus();
    QTimer::singleShot(0, m_pMainFrame.get(), [this] { OfferRecovery(); });
    return -1;
}

void CVantixApp::WatchForTermination() {
    // A session that ends or a plain kill keeps what was typed: the recovery
    // copy is written before the program goes.
    m_pSignals = std::make_unique<CTerminationSignals>();
    QObject::connect(m_pSignals.get(), &CTerminationSignals::Received, m_pMainFrame.get(),
                     [this](int nSignal) {
                         if (!m_pMainFrame->WriteRecoveryNow()) {
                             std::fprintf(stderr, "vantix: 復元用のコピーを書けませんでした。\n");
                         }
                         CTerminationSignals::EndBy(nSignal);
                     });
}

void CVantixApp::OfferRecovery() {
    if (CanShowMessageBoxes()) {
        m_pMainFrame->OfferRecovery();
        return;
    }
    // Nobody could answer here: the copies wait for a start with a display.
    for (const CRecoveryCopy::CInfo& info :
         CRecoveryCopy::FindAbandoned(CRecoveryCopy::DefaultFolder())) {
        std::fprintf(stderr, "vantix: 保存されていないログが残っています: %s (%s)\n",
                     (info.log.strPath.isEmpty() ? QStringLiteral("無題") : info.log.strPath)
                         .toLocal8Bit()
                         .constData(),
                     info.strCopyPath.toLocal8Bit().constData());
    }
}

int CVantixApp::PrintToPdf(const QString& strPdfName) {
    const QFileInfo target(strPdfName);
    if (target.isDir() || !QFileInfo(target.absolutePath()).isDir()) {
        ReportStartupError(QStringLiteral("%1 に PDF を書き込めません。").arg(strPdfName));
        return 1;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(target.absoluteFilePath());
    printer.setDocName(m_pMainFrame->GetDocument()->GetTitle());
    printer.setCreator(QStringLiteral("Vantix"));
    m_pMainFrame->GetView()->PrintLog(&printer);
    if (printer.printerState() == QPrinter::Error ||
        QFileInfo(target.absoluteFilePath()).size() == 0) {
        ReportStartupError(QStringLiteral("%1 に PDF を書き込めません。").arg(strPdfName));
        return 1;
    }
    return 0;
}

int CVantixApp::PrintToDefaultPrinter() {
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) {
        ReportStartupError(QStringLiteral("既定のプリンタがないため印刷できません。\n"
                                          "--print-to-pdf なら PDF に印刷できます。"));
        return 1;
    }
    QPrinter printer(defaultPrinter, QPrinter::HighResolution);
    printer.setDocName(m_pMainFrame->GetDocument()->GetTitle());
    m_pMainFrame->GetView()->PrintLog(&printer);
    if (printer.printerState() == QPrinter::Error) {
        ReportStartupError(
            QStringLiteral("%1 で印刷できませんでした。").arg(defaultPrinter.printerName()));
        return 1;
    }
    return 0;
}

void CVantixApp::ReportStartupError(const QString& strText) const {
    std::fprintf(stderr, "vantix: %s\n", strText.toLocal8Bit().constData());
    if (CanShowMessageBoxes()) {
        ShowMessage(nullptr, QMessageBox::Critical, strText);
    }
}
