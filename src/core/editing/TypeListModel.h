// The event-type list dialog's rules: its items, and New, Edit and Delete on the type table
// with Type.ptt saved after every change.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/EventType.h"
#include "platform/FileResult.h"

namespace tv {

class CEventTypeTable;

struct TypeListItem {
    uint32_t id = 0;
    std::string name;
    int icon = 0;
};

// What a change did; the dialog turns it into message boxes.
struct TypeChangeResult {
    enum class Outcome { Changed, DuplicateName, NoFreeId, NotFound };
    Outcome outcome = Outcome::Changed;
    FileResult save;  // the save of Type.ptt after a change; ok when nothing was saved

    bool Changed() const { return outcome == Outcome::Changed; }
    // The refusal's text, empty when the change was made.
    std::string RefusalMessage() const;
};

class CTypeListModel {
public:
    using Saver = std::function<FileResult(CEventTypeTable&)>;

    // saver writes the table to its file (Type.ptt of the program folder in the program).
    CTypeListModel(CEventTypeTable& table, Saver saver);

    // One item per type, in table order.
    void Reload();
    const std::vector<TypeListItem>& Items() const { return m_items; }

    // New: the edited default type is added; the new item goes to the top of this list.
    TypeChangeResult AddNew(const CEventType& edited);
    // The type an item stands for, to edit or delete it.
    std::optional<CEventType> Lookup(size_t index) const;
    // Edit: the type keeps its id and its place in the table; the item its place in the list.
    TypeChangeResult Replace(size_t index, const CEventType& edited);
    // Delete (after the user said Yes): events keep the removed id.
    TypeChangeResult Remove(size_t index);

private:
    CEventTypeTable& m_table;
    Saver m_saver;
    std::vector<TypeListItem> m_items;
};

// The type editor's fields; the id is never touched.
struct TypeEditorFields {
    std::string name;
    bool useDefaultStart = false;
    DateTime defaultStart;
    int defaultDuration = 0;
    int defaultRemindBefore = 0;
    LogFont font;
    ColorRef textColor = 0;
    ColorRef backColor = 0xC0C0C0;
    std::string sound;
    int icon = 0;

    void LoadFromType(const CEventType& type);
    void StoreToType(CEventType& type) const;
};

}  // namespace tv
