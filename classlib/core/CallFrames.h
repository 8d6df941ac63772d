#pragma once
// The calls in progress on an object that calls out to code which may free it (event handlers,
// message handlers). Each call links a frame that lives on its own stack; the object's destructor
// marks every linked frame, so that a call, back from the handler, can see that the object is gone
// and touch nothing of it. A frame type derived from TCallFrame carries what such a call still
// needs from the object, filled in by the destructor.
struct TCallFrame {
    TCallFrame* Outer = nullptr;
    bool ObjectGone = false;
};

template <class Frame = TCallFrame>
class TCallFrames {
public:
    TCallFrames() = default;
    TCallFrames(const TCallFrames&) = delete;
    TCallFrames& operator=(const TCallFrames&) = delete;

    // Links Call for the length of a scope, innermost first.
    class Scope {
    public:
        // The frame's address is kept only while the frame exists: End unlinks it, or the
        // object's destructor, if the handler frees the object, leaves nothing that holds it.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdangling-pointer"
        explicit Scope(TCallFrames& calls) : FCalls(calls) {
            Call.Outer = calls.FInnermost;
            calls.FInnermost = &Call;
        }
#pragma GCC diagnostic pop
        ~Scope() { End(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

        // Unlinks the frame before the scope ends; nothing is touched when the object is gone.
        void End() {
            if (FLinked && !Call.ObjectGone) FCalls.FInnermost = static_cast<Frame*>(Call.Outer);
            FLinked = false;
        }
        bool ObjectGone() const { return Call.ObjectGone; }

        Frame Call;

    private:
        TCallFrames& FCalls;
        bool FLinked = true;
    };

    // For the object's destructor: marks every call in progress; each(frame) may leave in the
    // frame what its call still needs.
    template <class Each>
    void MarkObjectGone(Each&& each) {
        for (Frame* f = FInnermost; f; f = static_cast<Frame*>(f->Outer)) {
            f->ObjectGone = true;
            each(*f);
        }
        FInnermost = nullptr;
    }
    void MarkObjectGone() {
        MarkObjectGone([](Frame&) {});
    }

    Frame* Innermost() const { return FInnermost; }

private:
    Frame* FInnermost = nullptr;
};
