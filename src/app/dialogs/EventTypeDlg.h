// CEventTypeDlg ("Creat an event type"): edits one event type's name, defaults and look.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "editing/TypeListModel.h"

class QCheckBox;
class QLabel;
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

    // The sub-dialogs, replaceable so that tests can answer them.
    std::function<std::optional<int>(QWidget*)> askIcon;
    std::function<std::optional<QFont>(QWidget*, const QFont&)> askFont;
    std::function<std::optional<std::string>(QWidget*, const std::string&)> askSound;

    TypeEditorFields& fields() { return m_fields; }
    CColorButton* colorButton() const { return m_color; }

public Q_SLOTS:
    void chooseIcon();
    void chooseFont();
    void chooseSound();

private:
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
    CColorButton* m_color = nullptr;
    QLabel* m_sample = nullptr;
    QLabel* m_sound = nullptr;
};

}  // namespace tv
