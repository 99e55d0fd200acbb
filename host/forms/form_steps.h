#pragma once

namespace host {

template <class Form> class FormLife;

// The creation and destruction steps every base form offers its screens. Each runs once, guarded
// (an abort or failure is reported, never thrown out), and only through FormLife.
class FormSteps {
public:
    virtual ~FormSteps() = default;

protected:
    virtual void FormCreate() {}
    virtual void FormDestroy() {}

private:
    template <class Form> friend class FormLife;
    void RunFormCreate();
    void RunFormDestroy() noexcept;

    bool m_created = false;
    bool m_destroyed = false;
};

} // namespace host
