// Saving the editor's text with progress and Cancel.
#pragma once

#include <QString>

class CSafeSaver;
class IEditorPane;

// Writes `pane`'s text through `saver`, straight from the control's buffer, with a progress
// dialog once it runs longer than half a second. False with `error` empty when the user
// cancelled, with `error` set when it failed; either way the file is as it was. A text decoded
// from its file's encoding is written in that encoding, byte order and mark.
bool SaveViewText(IEditorPane& pane, CSafeSaver& saver, const QString& path, QString& error);
