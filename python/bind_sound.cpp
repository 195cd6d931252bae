// Sound: every call may open the audio device or wait for the mixer, so the GIL goes meanwhile.
#include "python/binding.h"

void bindsound(py::module_& m) {
    def<&s_Sound, desktop>(m, "s_Sound", py::arg("frequency"), py::arg("milliseconds"));
    def<&s_Play, desktop>(m, "s_Play", py::arg("music"));
    def<&s_PlayVoice, desktop>(m, "s_PlayVoice", py::arg("voice"), py::arg("music"));
    def<&s_Voice, waits>(m, "s_Voice", py::arg("voice"), py::arg("waveform"), py::arg("attack"), py::arg("decay"),
                         py::arg("sustain"), py::arg("release"));
    def<&s_PlayFile, desktop>(m, "s_PlayFile", py::arg("path"));
    def<&s_Wait, waits>(m, "s_Wait");
    def<&s_Playing, waits>(m, "s_Playing");
    def<&s_Stop, desktop>(m, "s_Stop");
}
