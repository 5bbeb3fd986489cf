// A temporary file that holds the current fuzz input, for code that reads from a path.
#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

class CFuzzFile
{
public:
    CFuzzFile();
    ~CFuzzFile();
    CFuzzFile(const CFuzzFile&) = delete;
    CFuzzFile& operator=(const CFuzzFile&) = delete;

    // Replaces the file's contents with `data`; aborts when that fails, since every later
    // result would be about a different input.
    void Write(const std::uint8_t* data, std::size_t size);
    const QString& Path() const { return m_strPath; }

private:
    QString m_strPath;
};
