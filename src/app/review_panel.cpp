// The review's progress bar in the status line and its evaluation graph under the move list;
// both are made at the first review, the graph from its module (app/review_graph.h).
#include <QBoxLayout>
#include <QCoreApplication>
#include <QFrame>
#include <QLibrary>
#include <QProgressBar>
#include <QStatusBar>

#include "app/main_window.h"
#include "app/review_graph.h"

namespace nobakuza {

void MainWindow::setProgress(int percent) {
    if (percent < 0) {
        if (progress_ != nullptr) progress_->hide();
        return;
    }
    if (progress_ == nullptr) {
        progress_ = new QProgressBar(this);
        progress_->setRange(0, 100);
        progress_->setMaximumWidth(200);
        statusBar()->addPermanentWidget(progress_);
    }
    progress_->setValue(percent);
    progress_->show();
}

void MainWindow::setEvaluationGraph(const std::vector<GraphPoint>& points, int current) {
    if (points.empty()) {
        if (graph_ != nullptr) graph_->widget()->hide();
        return;
    }
    if (graph_ == nullptr) {
        // Kept loaded for the rest of the run: the graph's code is in it.
        QLibrary module(QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                        QLatin1String(reviewGraphModule));
        const auto make = reinterpret_cast<MakeReviewGraph>(module.resolve(reviewGraphFactory));
        if (make == nullptr) return;  // without its module the marks in the move list remain
        graph_ = make(movePanel_);
        graph_->onClicked = [this](int ply) { run([&] { game_->graphClicked(ply); }); };
        static_cast<QVBoxLayout*>(movePanel_->layout())->addWidget(graph_->widget());
    }
    graph_->show(points, current);
    graph_->widget()->show();
}

}  // namespace nobakuza
