#include "widgets/modal_state.h"

#include <atomic>

namespace swl {
namespace {

std::atomic<int> g_modalDialogs{0};

}  // namespace

bool IsModalDialogShowing() { return g_modalDialogs.load() > 0; }

ModalDialogScope::ModalDialogScope() { ++g_modalDialogs; }
ModalDialogScope::~ModalDialogScope() { --g_modalDialogs; }

}  // namespace swl
