#include "ui/dialogs/dialog_table.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QIcon>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>

// The templates live in a static library: register them before first use.
static void initDialogResources() {
    Q_INIT_RESOURCE(dialogs);
}

namespace tarsel {

namespace {

QRect rectFrom(const QJsonValue& value) {
    const QJsonArray a = value.toArray();
    if (a.size() != 4) {
        return {};
    }
    return QRect(a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3].toInt());
}

int scaled(int units, int base, int divisor) {
    return static_cast<int>(std::lround(static_cast<double>(units) * base / divisor));
}

} // namespace

std::optional<DialogTable> loadDialogTable(const QString& name) {
    static const bool registered = (initDialogResources(), true);
    (void)registered;
    QFile file(QStringLiteral(":/dialogs/%1.json").arg(name));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        return std::nullopt;
    }
    const QJsonObject root = doc.object();
    DialogTable table;
    table.name = root.value("name").toString(name);
    table.title = root.value("title").toString();
    table.rect = rectFrom(root.value("rect"));
    const QJsonObject font = root.value("font").toObject();
    table.face = font.value("face").toString(QStringLiteral("MS Sans Serif"));
    table.points = font.value("points").toInt(8);
    for (const QJsonValue& v : root.value("controls").toArray()) {
        const QJsonObject c = v.toObject();
        DialogControl control;
        control.id = c.value("id").toInt(-1);
        control.kind = c.value("kind").toString();
        control.text = c.value("text").toString();
        control.rect = rectFrom(c.value("rect"));
        control.enabled = c.value("enabled").toBool(true);
        control.isDefault = c.value("default").toBool(false);
        table.controls.push_back(control);
    }
    for (const QJsonValue& v : root.value("tabOrder").toArray()) {
        table.tabOrder.push_back(v.toInt());
    }
    return table;
}

QRect DialogUnits::toPixels(const QRect& units) const {
    return QRect(scaled(units.x(), baseX, 4), scaled(units.y(), baseY, 8),
                 scaled(units.width(), baseX, 4), scaled(units.height(), baseY, 8));
}

DialogUnits dialogUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width52 = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    DialogUnits units;
    // Average of the 52 letters, rounded to whole pixels.
    units.baseX = std::max(1, (width52 / 26 + 1) / 2);
    units.baseY = std::max(1, metrics.height());
    return units;
}

QFont dialogFontOf(const DialogTable& table) {
    QFont font;
    if (QFontDatabase::families().contains(table.face, Qt::CaseInsensitive)) {
        font = QFont(table.face);
    } else {
        font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPointSize(table.points > 0 ? table.points : 8);
    return font;
}

TableDialog::TableDialog(const QString& templateName, QWidget* owner) : QDialog(owner) {
    if (const std::optional<DialogTable> table = loadDialogTable(templateName)) {
        loaded_ = true;
        build(*table, owner);
    } else {
        setWindowTitle(templateName);
    }
}

void TableDialog::build(const DialogTable& table, QWidget* owner) {
    setWindowTitle(table.title);
    const QFont font = dialogFontOf(table);
    setFont(font);
    const DialogUnits units = dialogUnitsOf(font);

    bool defaultTaken = false;
    std::vector<QGroupBox*> groups;
    for (const DialogControl& c : table.controls) {
        QWidget* widget = nullptr;
        if (c.kind == QLatin1String("edit")) {
            widget = new QLineEdit(this);
        } else if (c.kind == QLatin1String("button")) {
            auto* button = new QPushButton(c.text, this);
            button->setAutoDefault(true);
            if (c.isDefault && !defaultTaken) {
                // Enter presses the first default button (OK).
                button->setDefault(true);
                defaultTaken = true;
            }
            widget = button;
        } else if (c.kind == QLatin1String("radio")) {
            auto* radio = new QRadioButton(c.text, this);
            radio->setFocusPolicy(Qt::ClickFocus); // no tab stop
            widget = radio;
        } else if (c.kind == QLatin1String("group")) {
            auto* group = new QGroupBox(c.text, this);
            group->setFocusPolicy(Qt::NoFocus);
            groups.push_back(group);
            widget = group;
        } else if (c.kind == QLatin1String("icon")) {
            auto* icon = new QLabel(this);
            // Drawn only when the icon resource exists.
            if (QFile::exists(c.text)) {
                icon->setPixmap(QIcon(c.text).pixmap(32, 32));
            }
            icon->setGeometry(QRect(units.toPixels(c.rect).topLeft(), QSize(32, 32)));
            widget = icon;
        } else {
            auto* label = new QLabel(c.text, this);
            label->setAlignment(c.kind == QLatin1String("ctext") ? Qt::AlignHCenter | Qt::AlignTop
                                                                 : Qt::AlignLeft | Qt::AlignTop);
            widget = label;
        }
        if (c.kind != QLatin1String("icon")) {
            widget->setGeometry(units.toPixels(c.rect));
        }
        widget->setEnabled(c.enabled);
        if (c.id != -1) {
            widget->setObjectName(QStringLiteral("id%1").arg(c.id));
            controls_[c.id] = widget;
        }
    }
    // Group boxes frame the controls placed over them.
    for (QGroupBox* group : groups) {
        group->lower();
    }

    QWidget* previous = nullptr;
    for (int id : table.tabOrder) {
        QWidget* widget = control(id);
        if (widget == nullptr) {
            continue;
        }
        if (previous != nullptr) {
            setTabOrder(previous, widget);
        } else {
            widget->setFocus(Qt::OtherFocusReason); // the first control has the focus
        }
        previous = widget;
    }

    const QRect frame = units.toPixels(table.rect);
    setFixedSize(frame.size());
    if (owner != nullptr) {
        move(owner->mapToGlobal(frame.topLeft()));
    }
}

QWidget* TableDialog::control(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

QLineEdit* TableDialog::edit(int id) const {
    return qobject_cast<QLineEdit*>(control(id));
}
QPushButton* TableDialog::button(int id) const {
    return qobject_cast<QPushButton*>(control(id));
}
QRadioButton* TableDialog::radio(int id) const {
    return qobject_cast<QRadioButton*>(control(id));
}
QLabel* TableDialog::label(int id) const {
    return qobject_cast<QLabel*>(control(id));
}

void TableDialog::setItemText(int id, const QString& text) {
    if (QLineEdit* box = edit(id)) {
        box->setText(text);
    } else if (QLabel* l = label(id)) {
        l->setText(text);
    }
}

} // namespace tarsel
