#pragma once

#include <QDebug>

#include <exception>

namespace teb::gui {

// Runs what a slot or an event handler hands on to a model. Qt's event loop
// is no place for an exception: one is logged and ends the call there.
template <typename Call>
void guardedCall(Call &&call) noexcept
{
    try {
        call();
    } catch (const std::exception &error) {
        qCritical("Tag Encoder Bench: %s", error.what());
    } catch (...) {
        qCritical("Tag Encoder Bench: an unknown error");
    }
}

} // namespace teb::gui
