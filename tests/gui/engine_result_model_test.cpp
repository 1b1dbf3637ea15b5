#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QSignalSpy>
#include <QThread>

#include "engine/generation_data.h"
#include "engine/ui/QueuedSink.h"
#include "engine/ui/ResultModel.h"
#include "frame/globals.h"
#include "platform/gbk.h"
#include "platform/threads.h"
#include "support/core/test_home.h"

using gbk::G;

namespace {

engine::ResultRow Row(int serial, const char* name) {
  engine::ResultRow r;
  r.serial = serial;
  r.name = G(name);
  r.fullName = G("苏州") + r.name + G("软件有限公司");
  r.simplifiedStrokes = 50 + serial;
  r.traditionalForm = G("蘇州") + r.name;
  r.kangxiStrokes = 60 + serial;
  r.fiveElements = G("金木");
  r.score = 99;
  return r;
}

TEST(ResultModel, HeadersAndCells) {
  engine::ResultModel m;
  EXPECT_EQ(m.columnCount(), 8);
  QStringList headers;
  for (int c = 0; c < 8; ++c) headers << m.headerData(c, Qt::Horizontal).toString();
  EXPECT_EQ(headers,
            (QStringList{"编号", "公司名", "简体笔画", "繁体字", "康熙笔画", "五行属性", "评分", "主体"}));

  m.appendRows({Row(1, "美达")});
  ASSERT_EQ(m.rowCount(), 1);
  QStringList cells;
  for (int c = 0; c < 8; ++c) cells << m.data(m.index(0, c)).toString();
  EXPECT_EQ(cells, (QStringList{"1", "苏州美达软件有限公司", "51", "蘇州美达", "61", "金木", "99", "美达"}));
  EXPECT_FALSE(m.data(m.index(0, 8)).isValid());
  EXPECT_EQ(m.row(0).name, G("美达"));

  EXPECT_FALSE(m.data(m.index(0, 0), Qt::DecorationRole).isValid());
  QPixmap picture(16, 16);
  picture.fill(Qt::red);
  m.setRowIcon(QIcon(picture));
  EXPECT_TRUE(m.data(m.index(0, 0), Qt::DecorationRole).isValid());
  EXPECT_FALSE(m.data(m.index(0, 1), Qt::DecorationRole).isValid());
}

TEST(ResultModel, BatchesAreOneInsertionEachAndClearEmpties) {
  engine::ResultModel m;
  QSignalSpy inserted(&m, &QAbstractItemModel::rowsInserted);
  m.appendRows({Row(1, "美达"), Row(2, "达美")});
  m.appendRows({});
  m.appendRows({Row(3, "易达")});
  ASSERT_EQ(inserted.count(), 2);
  EXPECT_EQ(inserted[0][1].toInt(), 0);
  EXPECT_EQ(inserted[0][2].toInt(), 1);
  EXPECT_EQ(inserted[1][1].toInt(), 2);
  EXPECT_EQ(m.rowCount(), 3);
  EXPECT_EQ(m.rows().back().serial, 3);
  m.clear();
  EXPECT_EQ(m.rowCount(), 0);
}

TEST(ResultModel, HoldsAHundredThousandRows) {
  engine::ResultModel m;
  for (int b = 0; b < 100; ++b) {
    std::vector<engine::ResultRow> batch;
    for (int i = 0; i < 1200; ++i) batch.push_back(Row(b * 1200 + i + 1, "美达"));
    m.appendRows(std::move(batch));
  }
  EXPECT_EQ(m.rowCount(), 120000);
  EXPECT_EQ(m.data(m.index(119999, 0)).toInt(), 120000);
}

}  // namespace

// ---------------------------------------------------------------------------
// A run on its worker, reporting through the queued sink into the model.

namespace {

struct GuiSink : engine::GenerationSink {
  engine::ResultModel model;
  std::vector<std::string> events;
  bool offGuiThread = false;
  bool finished = false;
  void Check() { offGuiThread |= QThread::currentThread() != QCoreApplication::instance()->thread(); }
  void OnRunStarted() override {
    Check();
    events.push_back("start");
  }
  void OnProgress(const engine::RunProgress&) override {
    Check();
    if (events.back() != "progress") events.push_back("progress");
  }
  void OnRows(std::vector<engine::ResultRow>&& rows) override {
    Check();
    model.appendRows(std::move(rows));
  }
  void OnRunFinished(const engine::RunFinish&) override {
    Check();
    events.push_back("finish");
    finished = true;
  }
};

TEST(QueuedSink, DeliversAWorkerRunOnTheGuiThreadInOrder) {
  testing_support::TestHome home;
  home.PrepareGlobals();
  engine::PutGenerationDataInPlace();
  engine::RunInputs in;
  in.mode = engine::GenerationMode::Combination;
  in.nameLength = 3;
  in.combinationCharacters = gbk::SplitPairs(G("甲乙丙丁戊己庚辛壬癸"));
  QObject context;
  auto target = std::make_shared<GuiSink>();
  ASSERT_TRUE(engine::StartGenerationRun(in, engine::MakeQueuedSink(&context, target)));
  QElapsedTimer t;
  t.start();
  while (!target->finished && t.elapsed() < 30000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  platform::StopWorkerThread(frame::globals().generationThread);
  ASSERT_TRUE(target->finished);
  EXPECT_FALSE(target->offGuiThread);
  EXPECT_EQ(target->events, (std::vector<std::string>{"start", "progress", "finish"}));
  ASSERT_EQ(target->model.rowCount(), 720);
  for (int i = 0; i < 720; ++i) ASSERT_EQ(target->model.row(i).serial, i + 1);
}

}  // namespace
