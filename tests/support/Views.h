// A store and a type table with calendar layouts opened on them, and display-list queries.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "Events.h"
#include "views/CalendarLayout.h"

namespace tvtest {

class ViewTest : public ::testing::Test {
protected:
    // A layout of the given client size showing date.
    template <class Layout>
    std::unique_ptr<Layout> Open(int width, int height, const tv::DateTime& date) {
        auto view = std::make_unique<Layout>(store, types);
        view->Resize(width, height);
        view->SetDate(date);
        return view;
    }

    tv::CEventStore store;
    tv::CEventTypeTable types;
};

inline std::string DashDate(const tv::DateTime& d) { return d.Format("%Y-%m-%d"); }

inline int Count(const tv::DisplayList& list, auto pred) {
    return static_cast<int>(std::count_if(list.Ops().begin(), list.Ops().end(), pred));
}

inline auto OfKind(tv::DrawOp::Kind kind) {
    return [kind](const tv::DrawOp& op) { return op.kind == kind; };
}

inline const tv::DrawOp* FindText(const tv::DisplayList& list, const std::string& text) {
    for (const tv::DrawOp& op : list.Ops())
        if (op.kind == tv::DrawOp::Kind::Text && op.text == text) return &op;
    return nullptr;
}

// Draws what the screen shows.
inline tv::DisplayList Screen(const tv::CalendarLayout& view) {
    tv::DisplayList list;
    view.Draw(list, {false, view.ClientRect(), view.GetScroll().pos});
    return list;
}

}  // namespace tvtest
