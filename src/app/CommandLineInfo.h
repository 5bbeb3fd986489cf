// What the command line asks for at start-up: the shell command, the document path, printer.
#pragma once

#include <QString>
#include <QStringList>

class CCommandLineInfo
{
public:
    enum ShellCommand
    {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppUnregister
    };

    // One argument; `bFlag` when it is a switch, given without its leading "-" or "/".
    void ParseParam(const QString& param, bool bFlag);
    // Called after the last argument.
    void ParseLast();

    ShellCommand m_nShellCommand = FileNew;
    QString m_strFileName;
    QString m_strPrinterName;
    QString m_strDriverName;
    QString m_strPortName;
    bool m_bShowSplash = true;
    bool m_bRunEmbedded = false;
    bool m_bRunAutomated = false;
    bool m_bShowHelp = false;
    bool m_bShowVersion = false;
    // --untitled-from=FILE: a new document holding FILE's text, unsaved; FILE is then removed
    // (how a transformation's result reaches a window of its own).
    QString m_strUntitledFrom;
    // The first switch that is none of the known ones; start-up refuses it.
    QString m_strUnknownOption;

private:
    void ParseParamFlag(const QString& flag);
    void ParseParamNotFlag(const QString& param);
};

// Parses `args` (without the program name) as the framework's document command line; after
// "--" every argument is a file name, even one beginning with "-".
CCommandLineInfo ParseCommandLine(const QStringList& args);
