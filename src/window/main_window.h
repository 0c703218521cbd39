#pragma once
// The one main window of the program: seven pages of the card, page
// navigation and the three command buttons.
#include <optional>

#include <QSize>
#include <QString>
#include <QWidget>

#include "card/card_file_store.h"
#include "card/entry_lists.h"

class QPushButton;
class QTabWidget;
class EnterprisePage;
class ServicePage;
class StatePage;
class WorkplacePage;

class TFrmGn : public QWidget {
    Q_OBJECT
public:
    explicit TFrmGn(QWidget* parent = nullptr);
    ~TFrmGn() override;

    card::EntryLists& lists() { return lists_; }
    // The card file store with the working records of the save and load commands.
    card::CardFileStore& store() { return store_; }

    QTabWidget* pages() const { return PCtrl; }
    EnterprisePage* enterprisePage() const { return enterprise_; }
    ServicePage* servicePage() const { return service_; }
    StatePage* statePage() const { return state_; }

    // The file whose version the caption shows: the running program's own
    // file unless set otherwise (the tests point it at the built program).
    static void setProgramFile(const QString& path);

public slots:
    void BitBtn4Click(); // "<< Назад"
    void BitBtn5Click(); // "Далее >>"
    void BtnSavePrClick();
    void BtnLoadPrClick();
    void BtnCloseClick();
    // "Печать…" and Ctrl+P: the preview of the card as the window holds it.
    void BtnPrintClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    // Keeps the outer size (frame included) at what FormCreate chose once the
    // window system has told the frame's size.
    void keepOuterSize();
    // The card as last saved or loaded (the empty card at start; a loaded
    // card as read, before the picker a load may open) is kept as its record:
    // the window differs from it when the record built from the controls now
    // is another one, or none can be built.
    void rememberCard();
    // After a refusal: the page of the control named `control` comes
    // forward and the control takes the focus (nothing moves for "").
    void bringForward(const std::string& control);
    // Whether the shown card may be dropped: it is unchanged, or the user
    // answers "Да" to `question`.
    bool mayDropCard(const char* question);

    card::EntryLists lists_;
    card::CardFileStore store_;
    QTabWidget* PCtrl = nullptr;
    QPushButton* BitBtn4 = nullptr;
    QPushButton* BitBtn5 = nullptr;
    QPushButton* BtnSavePr = nullptr;
    QPushButton* BtnLoadPr = nullptr;
    QPushButton* BtnClose = nullptr;
    QPushButton* BtnPrint = nullptr;
    EnterprisePage* enterprise_ = nullptr;
    ServicePage* service_ = nullptr;
    StatePage* state_ = nullptr;
    std::optional<card::TCardRec> keptCard_;
    QSize outerSize_;
    bool shownOnce_ = false;
    bool outerSizeKept_ = false;
};

// The program-wide reference to the main window.
extern TFrmGn* FrmGn;
