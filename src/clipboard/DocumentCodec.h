// The encoding of the file whose text an editor control holds, when that text was decoded for
// editing: kept on the control itself, so that whatever holds the control (typing, pasting,
// searching, saving) can ask what the file can store.
#pragma once

class CFileCodec;
class QObject;

// Null when the control holds the file's own bytes (UTF-8 or 8-bit text).
const CFileCodec* DocumentCodec(const QObject& control);
void SetDocumentCodec(QObject& control, const CFileCodec* pCodec);
