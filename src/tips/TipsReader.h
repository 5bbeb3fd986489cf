// Reads tips one line at a time from the tips file, wrapping at its end.
#pragma once

#include <QString>

#include <cstdio>

// Text of a static label: "&&" shows one "&", a single "&" marks a mnemonic and is not shown.
QString MnemonicDisplayText(const QString& strText);

class CTipsFile
{
public:
    enum class EReadResult
    {
        Tip,        // strTip holds the next tip
        NoTips,     // a whole pass over the file found no tip line
        ReadFailed  // the seek back to the start kept failing
    };

    static constexpr int kLineBufferSize = 1000;  // lines of up to 999 characters
    static constexpr int kSeekAttempts = 3;

    explicit CTipsFile(const QString& strPath = QStringLiteral("tips.txt"));
    ~CTipsFile();
    CTipsFile(const CTipsFile&) = delete;
    CTipsFile& operator=(const CTipsFile&) = delete;

    bool IsOpen() const { return m_pFile != nullptr; }
    const QString& Path() const { return m_strPath; }

    // ctime of the file's status-change time, trailing white space removed.
    QString TimeStamp() const;

    bool Seek(long nPos);
    long Tell() const;

    // The next tip without its line end.
    EReadResult ReadNextTip(QString& strTip);
    // How many seeks back to the start failed in the last ReadNextTip: the user is told of
    // each.
    int FailedSeeks() const { return m_nFailedSeeks; }

private:
    bool RewindAfterEnd();
    static bool IsSkipped(const char* szLine);
    static QString Decode(const char* szLine);

    QString m_strPath;
    FILE* m_pFile = nullptr;
    int m_nFailedSeeks = 0;
};
