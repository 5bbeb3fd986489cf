#include "CommandLineInfo.h"

namespace {

bool IsAnyCase(const QString& flag, const char* name)
{
    return flag.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

// Absolute paths begin with "/" here, so "/" introduces a switch only for these names.
bool IsKnownSwitch(const QString& flag)
{
    return flag == QLatin1String("p") || flag == QLatin1String("pt") || flag == QLatin1String("dde")
           || IsAnyCase(flag, "Unregister") || IsAnyCase(flag, "Unregserver")
           || IsAnyCase(flag, "Embedding") || IsAnyCase(flag, "Automation");
}

}  // namespace

void CCommandLineInfo::ParseParam(const QString& param, bool bFlag)
{
    if (bFlag)
        ParseParamFlag(param);
    else
        ParseParamNotFlag(param);
}

void CCommandLineInfo::ParseParamFlag(const QString& flag)
{
    if (flag == QLatin1String("pt"))
        m_nShellCommand = FilePrintTo;
    else if (flag == QLatin1String("p"))
        m_nShellCommand = FilePrint;
    else if (IsAnyCase(flag, "Unregister") || IsAnyCase(flag, "Unregserver"))
        m_nShellCommand = AppUnregister;
    else if (flag == QLatin1String("dde"))
        m_nShellCommand = FileDDE;
    else if (IsAnyCase(flag, "Embedding")) {
        m_bRunEmbedded = true;
        m_bShowSplash = false;
    } else if (IsAnyCase(flag, "Automation")) {
        m_bRunAutomated = true;
        m_bShowSplash = false;
    }
}

void CCommandLineInfo::ParseParamNotFlag(const QString& param)
{
    if (m_strFileName.isEmpty())
        m_strFileName = param;
    else if (m_nShellCommand != FilePrintTo)
        return;
    else if (m_strPrinterName.isEmpty())
        m_strPrinterName = param;
    else if (m_strDriverName.isEmpty())
        m_strDriverName = param;
    else if (m_strPortName.isEmpty())
        m_strPortName = param;
}

void CCommandLineInfo::ParseLast()
{
    if (m_nShellCommand == FileNew && !m_strFileName.isEmpty())
        m_nShellCommand = FileOpen;
}

CCommandLineInfo ParseCommandLine(const QStringList& args)
{
    CCommandLineInfo info;
    bool bOptionsEnded = false;
    for (const QString& arg : args) {
        if (bOptionsEnded)
            info.ParseParam(arg, false);
        else if (arg == QLatin1String("--"))
            bOptionsEnded = true;
        else if (arg == QLatin1String("--help"))
            info.m_bShowHelp = true;
        else if (arg == QLatin1String("--version"))
            info.m_bShowVersion = true;
        else if (arg.startsWith(QLatin1String("--untitled-from=")))
            info.m_strUntitledFrom = arg.section(QLatin1Char('='), 1);
        else if (arg.startsWith(QLatin1Char('-'))) {
            if (!IsKnownSwitch(arg.mid(1)) && info.m_strUnknownOption.isEmpty())
                info.m_strUnknownOption = arg;
            info.ParseParam(arg.mid(1), true);
        } else if (arg.startsWith(QLatin1Char('/')) && IsKnownSwitch(arg.mid(1)))
            info.ParseParam(arg.mid(1), true);
        else
            info.ParseParam(arg, false);
    }
    info.ParseLast();
    return info;
}
