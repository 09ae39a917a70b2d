#include "app.h"
#include "doc_texts.h"

namespace viewer {

namespace {

// The engine's messages appear like the viewer's own: error boxes owned by the frame.
class MessageBoxSink : public MessageSink {
public:
    void show(const char* text) override { errorBox(text); }
};

}  // namespace

MessageSink& messageBoxSink() {
    static MessageBoxSink sink;
    return sink;
}

}  // namespace viewer
