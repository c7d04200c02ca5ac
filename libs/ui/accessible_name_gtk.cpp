// SPDX-License-Identifier: MIT
// GTK: names and descriptions go to the ATK objects of the control's widgets: the outer widget, the drawing
// area of a control the toolkit draws itself (it takes the keyboard focus), the entry of a combo box, the
// text view of a multi-line field, and the inner window that takes the focus in a control composed of
// windows (the list control).
#include "libs/ui/accessible_name.h"

#include <gtk/gtk.h>
#include <wx/window.h>

namespace {

template <typename Apply>
void forEachWidget(wxWindow& control, Apply apply) {
    GtkWidget* outer = control.m_widget;
    if (!outer) return;
    apply(gtk_widget_get_accessible(outer));
    if (control.m_wxwindow && control.m_wxwindow != outer) apply(gtk_widget_get_accessible(control.m_wxwindow));
    const bool comboEntry = GTK_IS_COMBO_BOX(outer) && gtk_combo_box_get_has_entry(GTK_COMBO_BOX(outer));
    if (comboEntry || GTK_IS_SCROLLED_WINDOW(outer)) {
        GtkWidget* inner = gtk_bin_get_child(GTK_BIN(outer));
        if (inner && inner != control.m_wxwindow) apply(gtk_widget_get_accessible(inner));
    }
    if (!control.m_wxwindow) return;
    for (wxWindow* child : control.GetChildren())
        if (child->m_wxwindow && child->AcceptsFocus()) apply(gtk_widget_get_accessible(child->m_wxwindow));
}

}  // namespace

void setAccessibleName(wxWindow& control, const wxString& name) {
    const wxScopedCharBuffer text = name.utf8_str();
    forEachWidget(control, [&](AtkObject* object) { atk_object_set_name(object, text.data()); });
}

void setAccessibleDescription(wxWindow& control, const wxString& description) {
    const wxScopedCharBuffer text = description.utf8_str();
    forEachWidget(control, [&](AtkObject* object) { atk_object_set_description(object, text.data()); });
}
