#include "StoreTestCase.h"

#include "Fixtures.h"

void StoreTestCase::initTestCase()
{
    m_environment = std::make_unique<StoreEnvironment>();
}

void StoreTestCase::init()
{
    m_environment->reset();
    m_fixture = std::make_unique<StoreFixture>(*m_environment);
}

QList<qint64> StoreTestCase::runWorkers()
{
    QList<qint64> workers = Fixtures::childProcesses(QStringLiteral("leaflow-worker"));
    workers.removeAll(store().spareWorker());
    return workers;
}

void StoreTestCase::cleanup()
{
    m_fixture.reset();
}
