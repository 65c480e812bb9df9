#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for.
struct CCommandLineInfo {
    enum EShellCommand {
        FileNew,        // no file: an empty log
        FileOpen,       // FILE
        FilePrint,      // -p FILE: print to the default printer and exit
        FilePrintToPdf, // --print-to-pdf OUT.pdf FILE: print to a PDF and exit
        ShowVersion,    // --version
        ShowHelp,       // --help
        Invalid,        // strError says why
    };

    EShellCommand eCommand = FileNew;
    QString strFileName;
    QString strPdfName;
    QString strError;

    // arguments: the command line without the program name.
    static CCommandLineInfo Parse(const QStringList& arguments);

    static QString UsageText();
};
