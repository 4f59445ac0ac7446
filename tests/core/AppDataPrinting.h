#pragma once

#include "AppData.h"
#include "DataCoding.h"

#include <QMetaType>
#include <QtTest>

Q_DECLARE_METATYPE(AppData)

// Lets QCOMPARE show two AppData values as their data-file text when they differ.
inline char* toString(const AppData& data)
{
    return qstrdup(DataCoding::encode(data).constData());
}
