#pragma once

#include <QPointer>

#include <utility>

namespace qxm {

// The one instance of a window class, loaded on demand: showing a window that
// is not loaded builds it and runs its Form_Load first, and a closed
// (unloaded) window is built afresh the next time.
template <typename FormType>
class FormInstance
{
public:
    template <typename... Args>
    FormType &Load(Args &&...args)
    {
        if (!m_form) {
            m_form = new FormType(std::forward<Args>(args)...);
            // cppcheck 2.10 drops a new-expression whose arguments are a
            // forwarded pack, and so takes m_form for still null here and below.
            // cppcheck-suppress nullPointerRedundantCheck
            m_form->RunFormLoad();
        }
        // cppcheck-suppress nullPointerRedundantCheck
        return *m_form;
    }

    // Shows without blocking; a window that is already visible is left as it is.
    template <typename... Args>
    FormType &Show(Args &&...args)
    {
        FormType &form = Load(std::forward<Args>(args)...);
        form.show();
        return form;
    }

private:
    QPointer<FormType> m_form;
};

} // namespace qxm
