// Keeps libxml2 and libxslt off the network: one external-entity loader for the whole process
// that opens local files (and what the local catalogs map) and refuses every other address.
#pragma once

#include <QString>
#include <QStringList>

// Installs the loader once; safe to call from any thread, every time before parsing.
void InstallNetworkGuard();

// The addresses refused on this thread since the last call, and forgets them.
QStringList TakeRefusedResources();

// True for an address with a scheme other than file: ("http://...", "ftp://...").
bool IsNetworkLocation(const QString& strLocation);

// The local path of a file: URI or a plain path; empty for a network address.
QString LocalPathOf(const QString& strLocation);

// "The grammar %1 is not on this computer, and Tarnel never fetches anything from the network."
QString NetworkRefusalSentence(const QString& strWhat, const QString& strLocation);
