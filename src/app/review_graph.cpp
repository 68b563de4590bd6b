// The review's evaluation graph, drawn with the chart library: the module NobakuzaGraph.so,
// loaded at the first review.
#include "app/review_graph.h"

#include <QMouseEvent>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>
#include <functional>

namespace nobakuza {

namespace {

// Pawns at the edges of the graph; a forced win is drawn at the edge.
constexpr double graphPawns = 20.0;

double graphValue(const GraphPoint& p) {
    if (p.forcedWinBy != 0) return p.forcedWinBy > 0 ? graphPawns : -graphPawns;
    return std::clamp(p.score / 100.0, -graphPawns, graphPawns);
}

class ReviewGraph final : public QChartView, public ReviewGraphView {
  public:
    explicit ReviewGraph(QWidget* parent) : QChartView(parent) {
        auto* chart = new QChart;
        chart->legend()->hide();
        chart->setMargins(QMargins(2, 2, 2, 2));
        line_ = new QLineSeries(chart);
        dubious_ = marks(chart, QColor(230, 160, 0), 8);
        blunders_ = marks(chart, QColor(220, 0, 0), 10);
        current_ = marks(chart, QColor(0, 90, 220), 12);
        chart->addSeries(line_);
        for (QScatterSeries* s : {dubious_, blunders_, current_}) chart->addSeries(s);
        x_ = new QValueAxis(chart);
        y_ = new QValueAxis(chart);
        x_->setLabelFormat(QStringLiteral("%d"));
        x_->setTickType(QValueAxis::TicksDynamic);
        y_->setRange(-graphPawns, graphPawns);
        y_->setTickCount(5);
        y_->setLabelFormat(QStringLiteral("%+.0f"));
        chart->addAxis(x_, Qt::AlignBottom);
        chart->addAxis(y_, Qt::AlignLeft);
        for (QAbstractSeries* s :
             std::initializer_list<QAbstractSeries*>{line_, dubious_, blunders_, current_}) {
            s->attachAxis(x_);
            s->attachAxis(y_);
        }
        setChart(chart);
        setRenderHint(QPainter::Antialiasing);
        setMinimumHeight(160);
        setFocusPolicy(Qt::NoFocus);  // the board keeps the keys, Escape included
    }

    QWidget* widget() override { return this; }

    void show(const std::vector<GraphPoint>& points, int current) override {
        QList<QPointF> values{{0, 0}};
        dubious_->clear();
        blunders_->clear();
        for (const GraphPoint& p : points) {
            const QPointF v(p.ply, graphValue(p));
            values.append(v);
            if (p.mark == 1) dubious_->append(v);
            if (p.mark == 2) blunders_->append(v);
        }
        line_->replace(values);
        current_->clear();
        for (const QPointF& v : values)
            if (static_cast<int>(v.x()) == current) current_->append(v);
        // A tick on whole moves, ten at most.
        const int last = std::max(1, points.empty() ? 1 : points.back().ply);
        x_->setRange(0, last);
        x_->setTickAnchor(0);
        x_->setTickInterval(std::ceil(last / 10.0));
    }

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        const QPointF value = chart()->mapToValue(event->position(), line_);
        if (onClicked) onClicked(static_cast<int>(std::lround(std::max(0.0, value.x()))));
        event->accept();
    }

  private:
    static QScatterSeries* marks(QChart* chart, const QColor& colour, double size) {
        auto* s = new QScatterSeries(chart);
        s->setColor(colour);
        s->setBorderColor(colour);
        s->setMarkerSize(size);
        return s;
    }

    QLineSeries* line_ = nullptr;
    QScatterSeries* dubious_ = nullptr;
    QScatterSeries* blunders_ = nullptr;
    QScatterSeries* current_ = nullptr;
    QValueAxis* x_ = nullptr;
    QValueAxis* y_ = nullptr;
};

}  // namespace

ReviewGraphView* makeReviewGraph(QWidget* parent) {
    return new ReviewGraph(parent);
}

}  // namespace nobakuza

extern "C" __attribute__((visibility("default"))) nobakuza::ReviewGraphView*
nobakuzaMakeReviewGraph(QWidget* parent) {
    return nobakuza::makeReviewGraph(parent);
}
