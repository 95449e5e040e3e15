// What the plot window writes, prints and keeps: pictures, data, the PDF
// report, a failed export, and the plot settings in their own section of
// Tarsel.ini.
#include "plot_harness.h"

#include "pdf_tools.h"

#include "settings/profile_file.h"
#include "ui/plots/pdf_report.h"
#include "ui/plots/plot_export.h"
#include "ui/plots/plot_settings.h"

#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPdfWriter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTest>
#include <gtest/gtest.h>

namespace tarsel::testing {
namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void click(PlotWindow* window, const char* button) {
    window->findChild<QPushButton*>(QString::fromLatin1(button))->click();
}

TEST(PlotExport, ImagesLoadBackAsPngSvgAndPdf) {
    Program program;
    PlotWindow* window = openPlots(program, IDM_GRAPH_RANGE);
    for (const char* name : {"plot.png", "plot.svg", "plot.pdf"}) {
        program.services.saveAnswer = program.dir.filePath(QString::fromLatin1(name));
        click(window, "saveImage");
        const QString saved = program.services.saveAnswer;
        if (saved.endsWith("png")) {
            QImage image(saved, "PNG");
            EXPECT_FALSE(image.isNull());
            EXPECT_EQ(image.size(), window->view(PlotTab::Range)->size());
        } else if (saved.endsWith("svg")) {
            QSvgRenderer svg(saved);
            EXPECT_TRUE(svg.isValid());
        } else if (const QString pages = pdfInfo(saved, QStringLiteral("Pages")); !pages.isNull()) {
            // One page of the view's shape, its axes as text.
            EXPECT_EQ(pages, "1");
            const QStringList size = pdfInfo(saved, "Page size").split(' ');
            ASSERT_GE(size.size(), 3);
            const QSize shown = window->view(PlotTab::Range)->size();
            EXPECT_NEAR(size[0].toDouble() / size[2].toDouble(),
                        double(shown.width()) / shown.height(), 0.01);
            const QString text = poppler("pdftotext", {saved, "-"}).simplified();
            EXPECT_TRUE(text.contains(window->data(PlotTab::Range).figure.x.label()))
                << text.toStdString();
        }
    }
    EXPECT_TRUE(program.services.warnings.empty());
}

// A swept tab's data is its sweep as tarsel-report --sweep writes it; the
// path profile's is its curves.
TEST(PlotExport, CtrlPPrintsTheOpenPlotOnOneLandscapePage) {
    Program program;
    PlotWindow* window = openPlots(program, IDM_GRAPH_HEIGHT);
    program.services.printAnswer = program.dir.filePath("plot.pdf");
    QTest::keyClick(window, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(program.services.printDialogs, 1);
    EXPECT_TRUE(program.services.warnings.empty());
    const QString pages = pdfInfo(program.services.printAnswer, QStringLiteral("Pages"));
    if (pages.isNull()) {
        GTEST_SKIP() << "poppler-utils is not installed";
    }
    EXPECT_EQ(pages, "1");
    // "841.89 x 595.276 pts (A4)": wider than high.
    const QStringList size = pdfInfo(program.services.printAnswer, "Page size").split(' ');
    ASSERT_GE(size.size(), 3);
    EXPECT_GT(size[0].toDouble(), size[2].toDouble());
    // Drawn as vectors: the axis titles are text.
    const QString text = poppler("pdftotext", {program.services.printAnswer, "-"}).simplified();
    const PlotFigure& figure = window->data(PlotTab::Height).figure;
    EXPECT_TRUE(text.contains(figure.x.label())) << text.toStdString();
    EXPECT_TRUE(text.contains(figure.y.label())) << text.toStdString();

    // Cancelled: nothing; a file that cannot be written: said.
    program.services.printAnswer.clear();
    click(window, "print");
    EXPECT_TRUE(program.services.warnings.empty());
    program.services.printAnswer = program.dir.filePath("missing/plot.pdf");
    click(window, "print");
    ASSERT_EQ(program.services.warnings.size(), 1u);
    EXPECT_NE(program.services.warnings[0].text.find("missing/plot.pdf"), std::string::npos);

    // Zoomed in, the page shows what the window shows.
    PlotView* shown = window->view(PlotTab::Height);
    shown->zoomAbout(2.0, QPointF(shown->width() / 2.0, shown->height() / 2.0));
    ASSERT_TRUE(shown->zoomed());
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    QCPPainter painter(&writer);
    PlotView paper;
    preparePaperView(paper);
    drawPaperPlot(painter, paper, shown->figure(), QRectF(0, 0, 3000, 2000), shown);
    EXPECT_EQ(paper.xRange(), shown->xRange());
    EXPECT_EQ(paper.yRange(), shown->yRange());
}

TEST(PlotExport, CopiedAndSavedDataAreTheSweepTheCliWrites) {
    Program program;
    for (const int command : {IDM_GRAPH_RANGE, IDM_GRAPH_HEIGHT, IDM_GRAPH_PROFILE}) {
        PlotWindow* window = openPlots(program, command);
        click(window, "copyData");
        const QByteArray copied = QApplication::clipboard()->text().toUtf8();
        program.services.saveAnswer = program.dir.filePath("data.csv");
        click(window, "saveData");
        EXPECT_EQ(readAll(program.services.saveAnswer), copied) << command;
        const PlotData& d = window->data(window->currentTab());
        if (command == IDM_GRAPH_PROFILE) {
            EXPECT_TRUE(copied.startsWith("Curve,Distance from Tx [m],"))
                << copied.left(80).toStdString();
            continue;
        }
        EXPECT_EQ(copied.count('\n'), PlotPoints + 1); // header and the points
#ifdef TARSEL_REPORT_PATH
        EXPECT_EQ(copied, cliSweep(d.plan, d.columns)) << command;
#endif
    }
}

// The PDF draws each plot straight after setting it: laid out at once, it
// must look as the window shows it once the event loop has run (before, the
// axes of the figure replaced were still drawn, and no title or legend).
TEST(PlotExport, AFigureLaidOutAtOnceDrawsAsTheWindowShowsIt) {
    Program program;
    PlotView view;
    view.resize(600, 400);
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.show();
    QTest::qWait(50);
    SweepControl never;
    view.setFigure(computePlot(PlotTab::Range, program.state.params, program.state.results,
                               PlotSettings{}, never)
                       .figure);
    view.layOutNow();
    const QImage atOnce = view.grab().toImage();
    QTest::qWait(200);
    EXPECT_EQ(atOnce, view.grab().toImage());
}

TEST(PlotExport, PdfReportHasItsPagesAndStartsInTheLastFolder) {
    Program program;
    program.settle();
    const QString last = program.dir.filePath("last");
    ASSERT_TRUE(QDir(program.dir.path()).mkdir("last"));
    writeProfileString(program.state.settingsPath.toStdString(), "Plots", "Folder",
                       last.toStdString());
    program.services.saveAnswer = program.dir.filePath("report"); // typed without a suffix
    program.window->commandAction(IDM_EXPORT_PDF)->trigger();
    EXPECT_EQ(program.services.saveQuestion.folder, last);
    EXPECT_TRUE(QRegularExpression("^tarsel-report-\\d{4}-\\d\\d-\\d\\d\\.pdf$")
                    .match(program.services.saveQuestion.name)
                    .hasMatch())
        << program.services.saveQuestion.name.toStdString();
    const QByteArray pdf = readAll(program.dir.filePath("report.pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "),
              pdfPageCount(121));
    EXPECT_EQ(pdfPageCount(121), 5);
    EXPECT_TRUE(program.services.warnings.empty());
    // The next save, of the report or a plot, starts where this one went.
    EXPECT_EQ(loadPlotSettings(program.state.settingsPath.toStdString()).folder,
              program.dir.path().toStdString());
    PlotWindow* window = openPlots(program, IDM_GRAPH_RANGE);
    program.services.saveAnswer = last + "/again.pdf";
    program.window->commandAction(IDM_EXPORT_PDF)->trigger();
    EXPECT_EQ(window->settings().folder, last.toStdString());
}

TEST(PlotExport, FailedWritesNameThePathAndLeaveNoFile) {
    Program program;
    PlotWindow* window = openPlots(program, IDM_GRAPH_PROFILE);
    const QString blocked = program.dir.filePath("missing/and/blocked");
    QFile(program.dir.filePath("missing")).open(QIODevice::WriteOnly); // a file, not a folder
    const struct {
        const char* name;
        std::function<void()> run;
    } rows[] = {
        {"image", [&] { click(window, "saveImage"); }},
        {"data", [&] { click(window, "saveData"); }},
        {"pdf", [&] { program.window->commandAction(IDM_EXPORT_PDF)->trigger(); }},
    };
    for (const auto& row : rows) {
        program.services.warnings.clear();
        program.services.saveAnswer = blocked + "." + row.name;
        row.run();
        ASSERT_EQ(program.services.warnings.size(), 1u) << row.name;
        EXPECT_NE(program.services.warnings[0].text.find(program.services.saveAnswer.toStdString()),
                  std::string::npos)
            << row.name;
        EXPECT_FALSE(QFile::exists(program.services.saveAnswer)) << row.name;
    }
}

TEST(PlotSettings, KeptInTheirOwnSectionWithoutTouchingTheParameters) {
    const std::string ini = "; kept\r\n[Tarsel]\r\nPt=3\r\nfcent=9e8\r\n";
    QString settingsPath;
    {
        Program program{ini};
        settingsPath = program.state.settingsPath;
        PlotWindow* window = openPlots(program, IDM_GRAPH_RANGE);
        window->findChild<QCheckBox*>("rangeLog")->click();
        waitForPlots(program);
        EXPECT_TRUE(window->view(PlotTab::Range)->figure().x.log);
        window->close();
        const QString text = program.settingsText();
        EXPECT_TRUE(text.startsWith(QString::fromStdString(ini))) << text.toStdString();
        const PlotSettings saved = loadPlotSettings(settingsPath.toStdString());
        EXPECT_TRUE(saved.rangeLog);
        EXPECT_EQ(saved.tab, 0);
        // Opened again: the choice is back.
        window = openPlots(program, IDM_GRAPH_PROFILE);
        EXPECT_TRUE(window->findChild<QCheckBox*>("rangeLog")->isChecked());
    }
}

TEST(PlotSettings, RoundTripAndBadValues) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("Tarsel.ini").toStdString();
    PlotSettings s;
    s.tab = 3;
    s.rangePower = true;
    s.exaggeration = 50;
    s.sweepKey = "Range";
    s.sweepFrom = 0.1;
    s.sweepTo = 12345.678;
    s.sweepPoints = 77;
    s.sweepLog = false;
    s.sweepResults = {"smoothHill.marginDb", "knifeEdgeDb"};
    ASSERT_EQ(savePlotSettings(path, s), "");
    const PlotSettings back = loadPlotSettings(path);
    EXPECT_EQ(back.tab, 3);
    EXPECT_TRUE(back.rangePower);
    EXPECT_EQ(back.exaggeration, 50);
    EXPECT_EQ(back.sweepKey, "Range");
    EXPECT_EQ(back.sweepFrom, 0.1);
    EXPECT_EQ(back.sweepTo, 12345.678);
    EXPECT_EQ(back.sweepPoints, 77);
    EXPECT_FALSE(back.sweepLog);
    EXPECT_EQ(back.sweepResults, s.sweepResults);

    QFile bad(QString::fromStdString(path));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("[Plots]\nTab=9\nExaggeration=-4\nSweepFrom=abc\nSweepPoints=0\n");
    bad.close();
    const PlotSettings fixed = loadPlotSettings(path);
    const PlotSettings defaults;
    EXPECT_EQ(fixed.tab, 3);
    EXPECT_EQ(fixed.exaggeration, defaults.exaggeration);
    EXPECT_EQ(fixed.sweepFrom, defaults.sweepFrom);
    EXPECT_EQ(fixed.sweepPoints, 2);
}

} // namespace
} // namespace tarsel::testing
