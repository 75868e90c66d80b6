// Adding, replacing and removing event types from the list dialog.
#include "TypeListModel.h"

#include "texts/Translate.h"
#include "texts/UserTexts.h"
#include "store/EventTypeTable.h"

namespace tv {

std::string TypeChangeResult::RefusalMessage() const {
    switch (outcome) {
        case Outcome::DuplicateName: return texts::Tr(texts::kTypeExists);
        case Outcome::NoFreeId: return texts::Tr(texts::kNoFreeId);
        case Outcome::Changed:
        case Outcome::NotFound: break;
    }
    return {};
}

CTypeListModel::CTypeListModel(CEventTypeTable& table, Saver saver) : m_table(table), m_saver(std::move(saver)) {
    Reload();
}

void CTypeListModel::Reload() {
    m_items.clear();
    for (const CEventType& t : m_table.Snapshot()) m_items.push_back({t.GetId(), t.GetName(), t.GetIcon()});
}

TypeChangeResult CTypeListModel::AddNew(const CEventType& edited) {
    TypeChangeResult result;
    CEventType type = edited;
    switch (m_table.AddType(type)) {
        case AddTypeResult::DuplicateName: result.outcome = TypeChangeResult::Outcome::DuplicateName; return result;
        case AddTypeResult::NoFreeId: result.outcome = TypeChangeResult::Outcome::NoFreeId; return result;
        case AddTypeResult::Added: break;
    }
    result.save = m_saver(m_table);
    m_items.insert(m_items.begin(), {type.GetId(), type.GetName(), type.GetIcon()});
    return result;
}

std::optional<CEventType> CTypeListModel::Lookup(size_t index) const {
    if (index >= m_items.size()) return std::nullopt;
    // By the item's id, so that the item the user picked is the type that changes even when
    // an edit has given two types the same name; by name when that id is gone.
    CEventType type;
    if (m_table.FindById(m_items[index].id, type)) return type;
    if (m_table.FindByName(m_items[index].name, type)) return type;
    return std::nullopt;
}

TypeChangeResult CTypeListModel::Replace(size_t index, const CEventType& edited) {
    TypeChangeResult result;
    const std::optional<CEventType> stored = Lookup(index);
    if (!stored || !m_table.ReplaceType(stored->GetId(), edited)) {
        result.outcome = TypeChangeResult::Outcome::NotFound;
        return result;
    }
    result.save = m_saver(m_table);
    m_items[index] = {stored->GetId(), edited.GetName(), edited.GetIcon()};
    return result;
}

TypeChangeResult CTypeListModel::Remove(size_t index) {
    TypeChangeResult result;
    const std::optional<CEventType> stored = Lookup(index);
    if (!stored || !m_table.RemoveType(stored->GetId())) {
        result.outcome = TypeChangeResult::Outcome::NotFound;
        return result;
    }
    result.save = m_saver(m_table);
    m_items.erase(m_items.begin() + static_cast<long>(index));
    return result;
}

void TypeEditorFields::LoadFromType(const CEventType& type) {
    name = type.GetName();
    useDefaultStart = type.GetUseDefaultStart();
    defaultStart = type.GetDefaultStart();
    defaultDuration = type.GetDefaultDuration();
    defaultRemindBefore = type.GetDefaultRemindBefore();
    font = type.GetFont();
    textColor = type.GetTextColor();
    backColor = type.GetBackColor();
    sound = type.GetSound();
    icon = type.GetIcon();
}

void TypeEditorFields::StoreToType(CEventType& type) const {
    type.SetName(name);
    type.SetUseDefaultStart(useDefaultStart);
    type.SetDefaultStart(defaultStart);
    type.SetDefaultDuration(defaultDuration);
    type.SetDefaultRemindBefore(defaultRemindBefore);
    type.SetFont(font);
    type.SetTextColor(textColor);
    type.SetBackColor(backColor);
    type.SetSound(sound);
    type.SetIcon(icon);
}

}  // namespace tv
