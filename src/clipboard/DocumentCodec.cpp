#include "DocumentCodec.h"

#include "FileCodec.h"

#include <QByteArray>
#include <QObject>
#include <QVariant>

namespace {

const char kProperty[] = "tarnelFileCodec";

}  // namespace

const CFileCodec* DocumentCodec(const QObject& control)
{
    const QByteArray name = control.property(kProperty).toByteArray();
    return name.isEmpty() ? nullptr : CFileCodec::Named(name.toStdString());
}

void SetDocumentCodec(QObject& control, const CFileCodec* pCodec)
{
    control.setProperty(kProperty,
                        pCodec ? QByteArray::fromStdString(pCodec->Name()) : QByteArray());
}
