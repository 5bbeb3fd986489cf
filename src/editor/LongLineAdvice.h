// Whether a text's longest line is too long for the editor control to lay out without keeping
// the user waiting, and what the user is told and asked about it. The control lays out a whole
// line to show or edit any part of it, so its cost grows with the line.
#pragma once

#include <QString>

// What the user chose for a file with a line too long to show at once.
enum class ELongLineChoice
{
    Format,    // Format XML, as an edit not yet saved
    AsItIs,    // show it as it is and wait at each keystroke on that line
    NotOpened  // leave it
};

class CLongLineAdvice
{
public:
    // The control's time to lay out a line, per MB of it: a first showing, and a keystroke on
    // the line, cost about this (tarnel_longline_bench at 6 MB on this machine: 2.0-2.2 s to
    // show, 1.8-2.3 s a keystroke; it grows a little faster than the line).
    static constexpr double kSecondsPerMegabyte = 0.35;
    // A line that would take longer than this is not shown before the user has chosen.
    static constexpr double kLongestWait = 0.5;

    explicit CLongLineAdvice(long long nLongestLine) : m_nLongestLine(nLongestLine) {}

    bool NeedsChoice() const { return Seconds() > kLongestWait; }
    // The expected wait to show the line, and at each keystroke on it.
    double Seconds() const;
    // `strNotWellFormed` empty: the text is well-formed, so Format XML is offered.
    QString Question(const QString& strName, const QString& strNotWellFormed) const;
    // Asked before an Undo would bring the line back.
    QString UndoQuestion() const;
    // "12.5 MB", "640 KB".
    static QString SizeText(long long nBytes);
    // "about 3 seconds", "about 0.6 seconds".
    static QString WaitText(double seconds);

private:
    long long m_nLongestLine;
};
