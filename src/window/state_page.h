#pragma once
// Page "Состояние ОТ": report year and period, labour-protection indicators,
// and the numbers and dates that belong to three of the yes/no facts.
#include <optional>

#include <QChar>
#include <QWidget>

class QDateEdit;
class QLabel;
class QLineEdit;
class RadioGroup;

class StatePage : public QWidget {
    Q_OBJECT
public:
    explicit StatePage(QWidget* parent = nullptr);
    // Both date pickers to today (done when the main window is created).
    void setDatesToToday();

    // Character filters: the typed character to pass on, or nullopt to swallow it.
    std::optional<QChar> EdSredstvKeyPress(QChar typed) const;
    std::optional<QChar> EdNomDatURKeyPress(QChar typed) const;
    std::optional<QChar> EdNPrikazaKeyPress(QChar typed) const;
    std::optional<QChar> EdNZaklExpKeyPress(QChar typed) const;

    // Reactions to the focus leaving a field.
    void Ed1denExit();
    void Ed1den_DeadExit();
    void RGRpDogExit();
    void EdNomDatURExit();
    void EdNPrikazaExit();
    void RGrpExpertizaExit();

private:
    QWidget* buildLeftHalf();
    QWidget* buildRightHalf();
    void wireHandlers();
    void setTabChain();
    // Fatal cases cannot outnumber the injured: warn and mark the fatal field.
    void checkInjuredAgainstFatal();

    QLineEdit* EdYear = nullptr;
    RadioGroup* RGrpPeriod = nullptr;
    QLineEdit* Edsrsp = nullptr;
    QLineEdit* Ed1den = nullptr;
    QLineEdit* Ed1den_Dead = nullptr;
    QLineEdit* Eddney = nullptr;
    QLineEdit* EdSredstv = nullptr;
    RadioGroup* RGRpDog = nullptr;
    QLineEdit* EdNomDatUR = nullptr;
    RadioGroup* RGrpUlutshenie = nullptr;
    RadioGroup* RGrpAttRuk = nullptr;
    RadioGroup* RGrpKomissia = nullptr;
    RadioGroup* RGrpKabOT = nullptr;
    RadioGroup* RGrpOcenka = nullptr;
    QLineEdit* EdNPrikaza = nullptr;
    QDateEdit* DTPrikaza = nullptr;
    RadioGroup* RGrpExpertiza = nullptr;
    QLineEdit* EdNZaklExp = nullptr;
    QDateEdit* DTZaklExp = nullptr;
};
