// Collects the figures of each file size and prints the table and the ratios against the targets.
#pragma once

#include <QMap>
#include <QString>
#include <QTextStream>
#include <QVector>

class CBenchReport
{
public:
    // Starts the figures of a file of `nBytes` bytes.
    void AddSize(long long nBytes);
    // Sets a figure of the last size: seconds, or bytes for the "peak_"/"rss_" keys.
    void Set(const QString& key, double dValue);
    // Reads "key value" lines as printed by a child run; "error ..." lines are kept as notes.
    void ParseChildOutput(const QByteArray& output);
    void AddNote(const QString& text);

    void Print(QTextStream& out) const;

private:
    struct SSize
    {
        long long nBytes = 0;
        QMap<QString, double> figures;
        QStringList notes;
    };

    void PrintTable(QTextStream& out) const;
    void PrintTargets(QTextStream& out, const SSize& size) const;

    QVector<SSize> m_sizes;
};
