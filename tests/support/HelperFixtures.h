#pragma once

#include <QByteArray>
#include <QString>

// Helper programs that cannot run, and the environment override that points Leaflow at one.
namespace HelperFixtures {

enum class Broken {
    missing,      // nothing there
    notAProgram,  // a file marked executable that exec refuses
    loaderRefuses // ends at once with 127, as the dynamic loader does when a library is missing
};

// The stand-in of that kind at folder/name (nothing is written for a missing one); its path.
QString write(const QString& folder, const QString& name, Broken kind);

// Sets an environment variable (LEAFLOW_WORKER, ...) while it lives, then puts back what was there.
class Override {
public:
    Override(const char* variable, const QString& value);
    ~Override();
    Override(const Override&) = delete;
    Override& operator=(const Override&) = delete;

private:
    const char* m_variable;
    bool m_wasSet;
    QByteArray m_was;
};

} // namespace HelperFixtures
