// SPDX-License-Identifier: MIT
// GTK: names and descriptions go to the ATK objects of the control's widgets: the outer widget, the drawing
// area of a control the toolkit draws itself (it takes the keyboard focus) and the entry of a combo box.
#include "libs/graph/accessible_name.h"

#include <gtk/gtk.h>
#include <wx/window.h>

namespace {

template <typename Apply>
void forEachWidget(wxWindow& control, Apply apply) {
    GtkWidget* outer = control.m_widget;
    if (!outer) return;
    apply(gtk_widget_get_accessible(outer));
    if (control.m_wxwindow && control.m_wxwindow != outer) apply(gtk_widget_get_accessible(control.m_wxwindow));
    if (GTK_IS_COMBO_BOX(outer) && gtk_combo_box_get_has_entry(GTK_COMBO_BOX(outer))) {
        if (GtkWidget* entry = gtk_bin_get_child(GTK_BIN(outer))) apply(gtk_widget_get_accessible(entry));
    }
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
