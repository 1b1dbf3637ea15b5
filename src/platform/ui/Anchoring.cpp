#include "platform/ui/Anchoring.h"

#include <QEvent>
#include <QPointer>
#include <QResizeEvent>
#include <vector>

namespace platform {
namespace {

struct AnchorEntry {
  QPointer<QWidget> control;
  int left = 0, top = 0, rightDistance = 0, bottomDistance = 0, width = 0, height = 0;
  bool leftFlag = false, topFlag = false, rightFlag = false, bottomFlag = false;
};

// One filter per anchored parent, owned by the parent: when the parent goes,
// its entries go with it, so a later window that happens to reuse an address
// never inherits stale anchors.
class AnchoredParent : public QObject {
 public:
  explicit AnchoredParent(QWidget* parent) : QObject(parent), parent_(parent) {
    setObjectName(QStringLiteral("__anchors"));
    parent->installEventFilter(this);
  }

  void Register(QWidget* control, bool l, bool t, bool r, bool b) {
    AnchorEntry e;
    e.control = control;
    const QRect g = control->geometry();
    const QSize p = parent_->size();
    e.left = g.x();
    e.top = g.y();
    e.width = g.width();
    e.height = g.height();
    e.rightDistance = p.width() - (g.x() + g.width());
    e.bottomDistance = p.height() - (g.y() + g.height());
    e.leftFlag = l;
    e.topFlag = t;
    e.rightFlag = r;
    e.bottomFlag = b;
    for (auto& existing : entries_) {
      if (existing.control == control) {
        existing = e;
        return;
      }
    }
    entries_.push_back(e);
  }

  int Count() const { return static_cast<int>(entries_.size()); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == parent_ && event->type() == QEvent::Resize) Apply(parent_->width(), parent_->height());
    return false;
  }

 private:
  void Apply(int W, int H) {
    for (const AnchorEntry& e : entries_) {
      if (!e.control) continue;
      int left = e.left, top = e.top, width = e.width, height = e.height;
      if (e.rightFlag) {
        if (e.leftFlag)
          width = W - left - e.rightDistance;
        else
          left = W - width - e.rightDistance;
      }
      if (e.topFlag) {
        if (e.bottomFlag) height = H - top - e.bottomDistance;
      } else {
        top = H - height - e.bottomDistance;
      }
      // A parent smaller than its designed size gives sizes of 0 or less;
      // Qt takes them as empty.
      e.control->setGeometry(left, top, std::max(width, 0), std::max(height, 0));
    }
  }

  QWidget* parent_;
  std::vector<AnchorEntry> entries_;
};

AnchoredParent* FindAnchoredParent(const QWidget* parent) {
  if (!parent) return nullptr;
  for (QObject* child : parent->children()) {
    if (auto* a = dynamic_cast<AnchoredParent*>(child)) return a;
  }
  return nullptr;
}

}  // namespace

void RegisterAnchor(QWidget* control, int left, int top, int right, int bottom) {
  if (!control || !control->parentWidget()) return;
  QWidget* parent = control->parentWidget();
  AnchoredParent* a = FindAnchoredParent(parent);
  if (!a) a = new AnchoredParent(parent);
  a->Register(control, left != 0, top != 0, right != 0, bottom != 0);
}

void AnchorControl(QWidget* control, int mode) {
  static const int kFlags[8][4] = {{0, 0, 0, 0}, {1, 1, 1, 1}, {1, 0, 0, 1}, {0, 0, 1, 1},
                                   {1, 1, 0, 1}, {1, 0, 1, 1}, {0, 1, 1, 1}, {0, 1, 1, 0}};
  if (mode < 1 || mode > 7) return;
  RegisterAnchor(control, kFlags[mode][0], kFlags[mode][1], kFlags[mode][2], kFlags[mode][3]);
}

int AnchoredControlCount(const QWidget* parent) {
  const AnchoredParent* a = FindAnchoredParent(parent);
  return a ? a->Count() : 0;
}

}  // namespace platform
