#include "StoreTestCase.h"

void StoreTestCase::initTestCase()
{
    m_environment = std::make_unique<StoreEnvironment>();
}

void StoreTestCase::init()
{
    m_environment->reset();
    m_fixture = std::make_unique<StoreFixture>(*m_environment);
}

void StoreTestCase::cleanup()
{
    m_fixture.reset();
}
