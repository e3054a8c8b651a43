#include "framework/msg/subclass_window.h"

#include <map>

#include "framework/msg/exception_barrier.h"

namespace fw {

namespace {
const char kChainProp[] = "VorletSubclassChain";

// One installed subclass. The nodes of a window form a stack; the window procedure is switched
// once, when the first node is installed, and the bottom node keeps the original procedure.
struct TNode {
  int Id;
  HWND Wnd;
  TSubclassProc Proc;
  TNode* Below = nullptr;
  WNDPROC Original = nullptr;  // only in the bottom node
};

std::map<int, TNode*>& Nodes() {
  static std::map<int, TNode*> nodes;
  return nodes;
}

LRESULT CALLBACK ChainProc(HWND wnd, UINT msg, WPARAM w, LPARAM l);

void CallNode(TNode* node, TMessage& m);

void CallBelow(TNode* node, TMessage& m) {
  if (node->Below) {
    CallNode(node->Below, m);
  } else {
    m.Result = CallWindowProcA(node->Original, node->Wnd, m.Msg, m.WParam, m.LParam);
  }
}

void CallNode(TNode* node, TMessage& m) {
  node->Proc(m, [node](TMessage& msg) { CallBelow(node, msg); });
}

TNode* Bottom(TNode* top) {
  while (top && top->Below) top = top->Below;
  return top;
}

void DropChain(HWND wnd) {
  auto* top = static_cast<TNode*>(RemovePropA(wnd, kChainProp));
  TNode* bottom = Bottom(top);
  if (bottom && reinterpret_cast<WNDPROC>(GetWindowLongPtrA(wnd, GWLP_WNDPROC)) == ChainProc)
    SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(bottom->Original));
  while (top) {
    TNode* below = top->Below;
    Nodes().erase(top->Id);
    delete top;
    top = below;
  }
}

LRESULT CALLBACK ChainProc(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  auto* top = static_cast<TNode*>(GetPropA(wnd, kChainProp));
  if (!top) return DefWindowProcA(wnd, msg, w, l);
  TMessage m{msg, w, l, 0};
  if (msg == WM_NCDESTROY) {
    // Every procedure of the chain sees the last message, then the chain is dropped.
    Barrier([&] { CallNode(top, m); });
    DropChain(wnd);
    return m.Result;
  }
  Barrier([&] { CallNode(top, m); });
  return m.Result;
}
}  // namespace

int SubclassWindow(HWND wnd, TSubclassProc proc) {
  static int lastId = 0;
  if (!IsWindow(wnd) || !proc) return 0;
  auto* node = new TNode{++lastId, wnd, std::move(proc)};
  auto* top = static_cast<TNode*>(GetPropA(wnd, kChainProp));
  if (top) {
    node->Below = top;
  } else {
    node->Original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ChainProc)));
  }
  SetPropA(wnd, kChainProp, node);
  Nodes()[node->Id] = node;
  return node->Id;
}

void RemoveSubclass(int id) {
  auto it = Nodes().find(id);
  if (it == Nodes().end()) return;
  TNode* node = it->second;
  HWND wnd = node->Wnd;
  auto* top = static_cast<TNode*>(GetPropA(wnd, kChainProp));
  if (top == node && !node->Below) {
    DropChain(wnd);
    return;
  }
  // Unlink the node; a bottom node hands the original procedure to the node above it.
  TNode* above = nullptr;
  for (TNode* n = top; n && n != node; n = n->Below) above = n;
  if (above) {
    above->Below = node->Below;
    if (!node->Below) above->Original = node->Original;
  } else {
    SetPropA(wnd, kChainProp, node->Below);
  }
  Nodes().erase(it);
  delete node;
}

}  // namespace fw
