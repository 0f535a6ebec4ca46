// The handlers that keep controls in line with each other: the check boxes that govern text
// boxes, the spinner that writes the interval, and "..." that chooses the destination folder.
// They change controls only; the state they work on lives in the controls themselves.
#include "CheckBox.h"
#include "ModFiles.h"
#include "Platform.h"
#include "setup.h"
#include "SystemColor.h"
#include "UpDown.h"

#include <initializer_list>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

namespace {

// Enables the text boxes exactly when the check box is checked, then colours the captions by
// whether the first text box did become enabled. Returns that.
bool followCheckBox(const QCheckBox* checkBox, std::initializer_list<QWidget*> textBoxes,
                    std::initializer_list<QWidget*> captions) {
    for (QWidget* textBox : textBoxes)
        textBox->setEnabled(checkBox->checkState() != Qt::Unchecked);
    const bool enabled = (*textBoxes.begin())->isEnabled();
    for (QWidget* caption : captions)
        dazu::dialog::SetForeColor(caption, enabled ? dazu::dialog::MenuTextColor
                                                    : dazu::dialog::InactiveCaptionColor);
    return enabled;
}

} // namespace

void setup::chkprogramapc_Click() {
    const auto& c = controls_;
    followCheckBox(c.chkprogramapc, {c.Txtprogramapc}, {c.chkprogramapc});
}

void setup::chkprogramatm_Click() {
    const auto& c = controls_;
    followCheckBox(c.chkprogramatm, {c.txtprogramatm}, {c.chkprogramatm});
}

// The joining group: both file boxes, their captions and the box itself, and the box that
// deletes the joined file, which keeps its check mark while disabled.
void setup::chkunirarchivos_Click() {
    const auto& c = controls_;
    const bool enabled = followCheckBox(c.chkunirarchivos, {c.txtfilehost, c.txtfiletoappend},
                                        {c.lblfilehost, c.Label3, c.chkunirarchivos});
    c.chkborrarfiletoappend->setEnabled(enabled);
}

// Only this way: typing into the interval box does not move the spinner.
void setup::vscintervalo_Change() {
    controls_.txtintervalo->setText(QString::number(controls_.vscintervalo->value()));
}

// The chooser hands the folder back in its fixed buffer: the path, a terminator, spaces.
// The destination always ends with exactly one separator, a root included.
void setup::Command1_Click() {
    QString path;
    if (!dazu::files::BrowseForFolder(
            path, QStringLiteral("Seleccione el directorio donde quiere dejar los archivos")))
        return;
    static const QRegularExpression outerSpaces(QStringLiteral("^ +| +$"));
    const QString terminated = path.remove(outerSpaces);
    QString folder = terminated.left(terminated.size() - 1);
    const QChar separator = dazu::files::PathSeparator();
    if (!folder.endsWith(separator))
        folder += separator;
    controls_.txtpathdest->setText(folder);
}
