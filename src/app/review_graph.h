// The review's evaluation graph lives in a module of its own, NobakuzaGraph.so beside the
// program, which alone links the chart library: the library then loads at the first review, not
// before the window's first frame.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "ui/window_system.h"

namespace nobakuza {

class ReviewGraphView {
  public:
    virtual ~ReviewGraphView() = default;
    // The chart, a child of the parent it was made with.
    virtual QWidget* widget() = 0;
    // The points, the move of the position shown marked.
    virtual void show(const std::vector<GraphPoint>& points, int current) = 0;
    // A click on the graph, with the move under it.
    std::function<void(int)> onClicked;
};

inline constexpr const char* reviewGraphModule = "NobakuzaGraph.so";
inline constexpr const char* reviewGraphFactory = "nobakuzaMakeReviewGraph";
using MakeReviewGraph = ReviewGraphView* (*)(QWidget* parent);

}  // namespace nobakuza
