#pragma once
// The three parameter dialogs: LOS parameters, single diffraction and the
// report options. OK and Recalculate check the boxes in a fixed order,
// storing each accepted value at once and stopping at the first rejected one.

#include "ui/dialogs/dialog_table.h"

#include <initializer_list>

namespace tarsel {

struct AppState;
class UiServices;

class ParamDialog : public TableDialog {
    Q_OBJECT
public:
    ParamDialog(AppState& state, const QString& templateName, QWidget* owner);

protected:
    // OK is available only while the box last changed is non-empty.
    void watchEditableBoxes(std::initializer_list<int> ids);
    // Checks every box in order; false at the first rejected one.
    virtual bool checkBoxes() = 0;
    // Computes and shows the values derived from the accepted ones.
    virtual void showDerived() {}
    UiServices& services() const;

    AppState& state_;

private:
    void onOk();
    void onRecalculate();
};

class LosParamsDialog : public ParamDialog {
    Q_OBJECT
public:
    LosParamsDialog(AppState& state, QWidget* owner);

protected:
    bool checkBoxes() override;
    void showDerived() override;
};

class SingDiffParamsDialog : public ParamDialog {
    Q_OBJECT
public:
    SingDiffParamsDialog(AppState& state, QWidget* owner);

protected:
    bool checkBoxes() override;
    void showDerived() override;

private:
    void onHillType(int nHillType);
};

class TextOptionsDialog : public ParamDialog {
    Q_OBJECT
public:
    TextOptionsDialog(AppState& state, QWidget* owner);

protected:
    bool checkBoxes() override;
};

} // namespace tarsel
