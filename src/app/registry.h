#pragma once

#include "toolkit/screen.h"

#include <map>
#include <memory>
#include <typeindex>

namespace app {

// One slot per screen class, each holding that screen's single instance once it has been
// referred to. Slots are never emptied while the program runs.
class Registry final
{
    Q_DISABLE_COPY_MOVE(Registry)

public:
    static Registry& instance();

    // Get-or-create: the instance of T, created (not loaded) on the first reference.
    template <class T> T& screen()
    {
        auto& slot = m_slots[std::type_index(typeid(T))];
        if (!slot)
            slot = std::make_unique<T>();
        return static_cast<T&>(*slot);
    }

    // Whether T has been created; does not create it.
    template <class T> bool exists() const
    {
        return m_slots.find(std::type_index(typeid(T))) != m_slots.end();
    }

    // Destroys every screen, so that a test can start a fresh run.
    void reset();

private:
    Registry();
    ~Registry() = default;

    std::map<std::type_index, std::unique_ptr<toolkit::Screen>> m_slots;
};

// A screen by its class, for its fields and its Show/Hide: never loads it.
template <class T> T& screen()
{
    return Registry::instance().screen<T>();
}

// A screen whose controls are about to be used: loads it (Form_Load) without showing it.
template <class T> T& loaded()
{
    T& form = screen<T>();
    form.load();
    return form;
}

// A screen whose controls exist: nullptr for one never created or not loaded, which this never
// creates or loads.
template <class T> T* ifLoaded()
{
    if (!Registry::instance().exists<T>() || !screen<T>().isLoaded())
        return nullptr;
    return &screen<T>();
}

// A box of another screen, read and not used: a screen that is not loaded shows nothing but its
// design, where every box is empty, so its box reads empty without the screen being built, as a
// read of a screen never shown yields its initial values.
template <class T> QString textOf(toolkit::Ref<toolkit::TextBox> T::*box)
{
    const T* form = ifLoaded<T>();
    return form ? (form->*box)->text() : QString();
}

// Likewise an option of another screen: cleared by design.
template <class T> bool isSelected(toolkit::Ref<toolkit::OptionButton> T::*option)
{
    const T* form = ifLoaded<T>();
    return form && (form->*option)->isSelected();
}

// Start-up: creates and shows the first screen of the program.
template <class First> void start()
{
    screen<First>().Show();
}

// Ends the program at once.
void end();

} // namespace app
