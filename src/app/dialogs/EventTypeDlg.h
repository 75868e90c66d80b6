// CEventTypeDlg ("Create an event type"): edits one event type's name, defaults and look.
#pragma once

#include <QDialog>

#include "editing/TypeListModel.h"

class QCheckBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;

namespace tv {

class CColorButton;
class CDateTimeField;
class CDurationField;

class CEventTypeDlg : public QDialog {
    Q_OBJECT
public:
    explicit CEventTypeDlg(QWidget* parent = nullptr);

    void LoadFromType(const CEventType& type);
    // Everything but the id.
    void StoreToType(CEventType& type);

public Q_SLOTS:
    void chooseIcon();
    void chooseFont();
    void chooseSound();

private:
    QLayout* createFieldsAndIcon();
    QLayout* createTextAndSoundGroups();
    QWidget* createButtons();
    void setTabOrders();
    void collect();
    void showFields();
    void showIconAndFont();

    TypeEditorFields m_fields;
    QLineEdit* m_name = nullptr;
    QCheckBox* m_useStart = nullptr;
    CDateTimeField* m_start = nullptr;
    CDurationField* m_duration = nullptr;
    CDurationField* m_remindBefore = nullptr;
    QLabel* m_icon = nullptr;
    QPushButton* m_iconButton = nullptr;
    CColorButton* m_color = nullptr;
    QPushButton* m_fontButton = nullptr;
    QLabel* m_sample = nullptr;
    QLabel* m_sound = nullptr;
    QPushButton* m_soundButton = nullptr;
};

}  // namespace tv
