#include "control/UnbuiltMethod.h"

#include <string>

#include "platform/Automation.h"

namespace vtg {

std::string_view PendingText(Pending why) {
    switch (why) {
        case Pending::Interaction: return "in-plot interaction";
        case Pending::Annotations: return "annotations";
        case Pending::InPlaceEditing: return "in-place text editing";
        case Pending::PlotObjects: return "plot objects";
        case Pending::Selection: return "the selection methods";
        case Pending::Menus: return "the popup menus and their commands";
        case Pending::EventsAndModes: return "the event and mode switches";
        case Pending::Dialogs: return "the legend and axis-map dialogs";
        case Pending::Settings: return "the settings text";
        case Pending::Clipboard: return "clipboard and drag-and-drop";
        case Pending::Preview: return "print preview";
        case Pending::Registration: return "module registration";
    }
    return "a later part of the control";
}

void ThrowNotBuilt(std::string_view method, Pending why) {
    throw AutomationError::NotImpl(std::string(method) + " is not implemented yet: it comes with " +
                                   std::string(PendingText(why)));
}

}  // namespace vtg
