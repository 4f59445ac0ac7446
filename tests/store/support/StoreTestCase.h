#pragma once

#include "StoreFixture.h"

#include <QObject>
#include <memory>

// A test class whose every test starts on a fresh Store, with data, settings and
// temporary files of the test process kept in folders of its own.
class StoreTestCase : public QObject {
    Q_OBJECT

protected slots:
    virtual void initTestCase();
    virtual void init();
    virtual void cleanup();

protected:
    Store& store() { return *m_fixture->store; }
    // This process's workers but the Store's spare: those running a job.
    QList<qint64> runWorkers();

    std::unique_ptr<StoreEnvironment> m_environment;
    std::unique_ptr<StoreFixture> m_fixture;
};
