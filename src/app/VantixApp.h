#pragma once

#include <QStringList>

#include <memory>
#include <vector>

class CMainFrame;
class CTerminationSignals;
class QTranslator;

// The application: sets up names, translations and fonts, carries out the
// command line and owns the main window. One instance lives in main().
class CVantixApp {
public:
    CVantixApp();
    ~CVantixApp();
    CVantixApp(const CVantixApp&) = delete;
    CVantixApp& operator=(const CVantixApp&) = delete;

    // Everything that comes before a window: names, version, Japanese
    // translations of the toolkit's own texts, the Japanese fonts. Needs a
    // QApplication.
    void SetUpApplication();

    // Start-up. arguments: the command line without the program name.
    // Returns -1 when the main window is up and the event loop should run,
    // otherwise the exit status (0 after printing, non-zero on failure).
    int InitInstance(const QStringList& arguments);

    CMainFrame* GetMainFrame() const { return m_pMainFrame.get(); }
    static CVantixApp* Instance();

private:
    int PrintToPdf(const QString& strPdfName);
    int PrintToDefaultPrinter();
    void ReportStartupError(const QString& strText) const;
    void WatchForTermination();
    void OfferRecovery();

    std::vector<std::unique_ptr<QTranslator>> m_translators;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    std::unique_ptr<CTerminationSignals> m_pSignals;
};
