#pragma once

#include "host/forms/live_forms.h"

#include <utility>

namespace host {

// Runs a screen's FormCreate right after the screen is fully constructed and its FormDestroy
// right before its destruction starts: from inside the most derived class, virtual calls reach
// the screen's overrides (they cannot from TfrmPadrao's own constructor or destructor).
template <class Form> class FormLife final : public Form {
public:
    template <class... Args> explicit FormLife(Args&&... args) : Form(std::forward<Args>(args)...) {
        AddLiveForm(this);
        this->RunFormCreate();
    }
    ~FormLife() override { this->RunFormDestroy(); }
};

// Creates a screen (or filter dialog) with its life steps; Qt parent ownership as usual.
template <class Form, class... Args> Form* CreateForm(Args&&... args) {
    return new FormLife<Form>(std::forward<Args>(args)...);
}

} // namespace host
