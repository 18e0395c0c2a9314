// Slots beyond the design's four, made the first time a function needs them:
// each a copy of the first slot's controls under the next name, routed to
// the same handlers and placed in the tab order after the slot before it.

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "window/MainWindow.h"
#include "window/widgets/ControlWidgets.h"

namespace quill {

namespace {

// Hidden until a layout places it; named "<kind><k>" like the design's.
template <typename Widget>
Widget* Named(Widget* widget, const char* kind, std::size_t k, const QWidget* likeThis) {
    widget->setObjectName(QString::fromLatin1(kind) + QString::number(k));
    widget->setToolTip(likeThis->toolTip());
    widget->hide();
    return widget;
}

}  // namespace

void MainWindow::MakeParameterSlots(int count) {
    for (std::size_t k = paramEdits.size() + 1; k <= static_cast<std::size_t>(count); ++k) {
        auto* label = Named(new ClickLabel(QString(), this), "ParamLabel", k, paramLabels[0]);
        label->setAlignment(paramLabels[0]->alignment());
        auto* separator = Named(NewPlainLabel(QStringLiteral(","), this), "SeparatorLabel", k - 1,
                                separatorLabels[0]);
        separator->setAlignment(separatorLabels[0]->alignment());

        auto* combo = Named(new NotifyingComboBox(this), "ParamCombo", k, paramCombos[0]);
        combo->setEditable(true);
        combo->setCompleter(nullptr);
        combo->SetSorted(false);
        combo->FitBoxHeight();
        auto* edit = Named(new QLineEdit(this), "ParamEdit", k, paramEdits[0]);
        auto* list = Named(new SelectionList(this), "ParamList", k, paramLists[0]);
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

        setTabOrder(paramLists.back(), combo);
        setTabOrder(combo, edit);
        setTabOrder(edit, list);
        for (QWidget* control : {static_cast<QWidget*>(combo), static_cast<QWidget*>(edit),
                                 static_cast<QWidget*>(list)}) {
            control->installEventFilter(this);
        }
        connect(label, &ClickLabel::clicked, this,
                [this, k] { OnParamLabelClicked(static_cast<int>(k)); });

        separatorLabels.push_back(separator);
        paramLabels.push_back(label);
        paramCombos.push_back(combo);
        paramEdits.push_back(edit);
        paramLists.push_back(list);
    }
}

}  // namespace quill
