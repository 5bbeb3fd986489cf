// The names of the values kept in the "Settings" section between runs.
#pragma once

#include <QString>

namespace SettingsKeys {

inline const QString kSection = QStringLiteral("Settings");
inline const QString kWindowGeometry = QStringLiteral("WindowGeometry");
inline const QString kWindowState = QStringLiteral("WindowState");
inline const QString kPreviewPages = QStringLiteral("PreviewPages");
inline const QString kEditorZoom = QStringLiteral("EditorZoom");
inline const QString kLineNumbers = QStringLiteral("LineNumbers");
inline const QString kColourAsYouType = QStringLiteral("ColourAsYouType");
inline const QString kFolding = QStringLiteral("Folding");
inline const QString kAutoIndent = QStringLiteral("AutoIndent");
inline const QString kCloseStartTags = QStringLiteral("CloseStartTags");
inline const QString kTreeFollowsCaret = QStringLiteral("TreeFollowsCaret");
inline const QString kCompleteNames = QStringLiteral("CompleteNames");

}  // namespace SettingsKeys
