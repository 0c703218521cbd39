#pragma once
// The classifier picker `TFrm_okv`: the user finds an activity code in the
// OKVED or the KDES2 table and hands it to the card window's code field.
#include <QDialog>

#include "classifier/classifier_kind.h"
#include "widgets/classifier_opener.h"

class ClassifierTable;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class RecordNavigator;

class TFrm_okv : public QDialog {
    Q_OBJECT
public:
    // Acceptance writes the code into `target`; the dialog is centred over
    // `parent`.
    explicit TFrm_okv(const CodeTarget& target, QWidget* parent = nullptr);
    ~TFrm_okv() override;

    // The table the radio group has selected.
    ClassifierKind selectedKind() const;
    ClassifierTable* table(ClassifierKind kind) const;

public slots:
    void done(int result) override;

private:
    void buildControls();
    void wireHandlers();

    void FormShow();
    void FormClose();
    void rgrp_okv_kdsClick();
    void rgrp_okv_kdsExit();
    void edt_eh_locateChange();
    void bitbtn_OkClick();
    void bitbtn_closeClick();

    void bindGrid(ClassifierTable* table);
    void showCurrentRow();
    void showNote();
    bool isInRadioGroup(const QWidget* widget) const;

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    CodeTarget target_;
    bool shownOnce_ = false;
    QMetaObject::Connection focusWatch_; // the application's focus changes

    ClassifierTable* cldtset_okved;
    ClassifierTable* cldtset_kdes2;
    ClassifierTable* gridTable_ = nullptr; // the table the grid is bound to

    QGroupBox* rgrp_okv_kds;
    QButtonGroup* rgrpItems_;
    QLabel* lbl_1;
    QLineEdit* edt_eh_locate;
    QLabel* lbl_2;
    QTableView* dbgrd1;
    QPlainTextEdit* dbmemo_ABOUT;
    QPushButton* bitbtn_Ok;
    QPushButton* bitbtn_close;
    RecordNavigator* dbnav1;
};

// Creates a picker writing into `target`, shows it modally over `parent` and
// releases it when it closes.
void ShowClassifierPicker(const CodeTarget& target, QWidget* parent);
