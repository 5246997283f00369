#include "app/registry.h"

#include "toolkit/runtime.h"

#include <QCoreApplication>

namespace app {

Registry::Registry()
{
    // Screens own widgets, which must go before the application object does.
    qAddPostRoutine([] { Registry::instance().reset(); });
}

Registry& Registry::instance()
{
    static Registry registry;
    return registry;
}

void Registry::reset()
{
    // Take the screens out first: a screen's destruction must not find itself still registered.
    auto screens = std::move(m_slots);
    m_slots.clear();
    screens.clear();
    toolkit::resetProgram();
}

void end()
{
    toolkit::endProgram();
}

} // namespace app
