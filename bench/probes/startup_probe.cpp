// LD_PRELOAD probe: times the Qt calls the game makes from its own code
// while it builds its window, and prints the times to standard error when
// the event loop starts, so the printing itself costs the start-up nothing.
// Lines: "probe <what> at <ms since exec> wall <ms> cpu <ms>", then
// "probe exec at <ms since exec> cpu-so-far <ms>".
//
//   DELVORAN_EXEC_NS=$(date +%s%N) LD_PRELOAD=.../libstartup_probe.so delvoran
//
// Only calls that go through the PLT can be caught: those the game's binary
// makes into Qt (not Qt's calls to itself). The symbols are Qt 6's mangled
// names; a wrapper whose symbol the binary does not import simply never runs.

#include <dlfcn.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

char buffer[1 << 16];
size_t used = 0;

void note(const char* format, ...)
{
    if (used >= sizeof buffer)
        return;
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buffer + used, sizeof buffer - used, format, args);
    va_end(args);
    if (n > 0)
        used += static_cast<size_t>(n);
}

double ms(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double execMs()
{
    static const double at = [] {
        const char* ns = std::getenv("DELVORAN_EXEC_NS");
        return ns ? std::atof(ns) / 1e6 : 0.0;
    }();
    return at;
}

template <typename Fn> Fn real(const char* symbol)
{
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, symbol));
}

}  // namespace

#define DELVORAN_TIMED(ret, symbol, label, params, args)                                                               \
    extern "C" ret symbol params                                                                                       \
    {                                                                                                                  \
        static const auto fn = real<ret(*) params>(#symbol);                                                           \
        const double wall0 = ms(CLOCK_REALTIME), cpu0 = ms(CLOCK_PROCESS_CPUTIME_ID);                                  \
        ret r = fn args;                                                                                               \
        const double wall1 = ms(CLOCK_REALTIME), cpu1 = ms(CLOCK_PROCESS_CPUTIME_ID);                                  \
        note("probe %-12s at %8.2f wall %7.3f cpu %7.3f\n", label, wall0 - execMs(), wall1 - wall0, cpu1 - cpu0);      \
        return r;                                                                                                      \
    }

// For constructors and other functions that return nothing.
#define DELVORAN_TIMED_VOID(symbol, label, params, args)                                                               \
    extern "C" void symbol params                                                                                      \
    {                                                                                                                  \
        static const auto fn = real<void(*) params>(#symbol);                                                          \
        const double wall0 = ms(CLOCK_REALTIME), cpu0 = ms(CLOCK_PROCESS_CPUTIME_ID);                                  \
        fn args;                                                                                                       \
        const double wall1 = ms(CLOCK_REALTIME), cpu1 = ms(CLOCK_PROCESS_CPUTIME_ID);                                  \
        note("probe %-12s at %8.2f wall %7.3f cpu %7.3f\n", label, wall0 - execMs(), wall1 - wall0, cpu1 - cpu0);      \
    }

// QApplication::QApplication(int&, char**, int)
DELVORAN_TIMED_VOID(_ZN12QApplicationC1ERiPPci, "qapplication", (void* a, int* b, char** c, int d), (a, b, c, d))
// QPixmap::QPixmap(const QString&, const char*, Qt::ImageConversionFlags): a picture file decoded
DELVORAN_TIMED_VOID(_ZN7QPixmapC1ERK7QStringPKc6QFlagsIN2Qt19ImageConversionFlagEE, "pixmap",
                    (void* a, void* b, const char* c, int d), (a, b, c, d))
// QIcon::QIcon(const QString&)
DELVORAN_TIMED_VOID(_ZN5QIconC1ERK7QString, "icon", (void* a, void* b), (a, b))
// QLabel::setText(const QString&)
DELVORAN_TIMED_VOID(_ZN6QLabel7setTextERK7QString, "setText", (void* a, void* b), (a, b))
// QWidget::show()
DELVORAN_TIMED_VOID(_ZN7QWidget4showEv, "show", (void* a), (a))
// QFontMetrics::horizontalAdvance(const QString&, int) const: the first one
// loads the font database and the font, later ones their own fonts
DELVORAN_TIMED(int, _ZNK12QFontMetrics17horizontalAdvanceERK7QStringi, "hAdvance", (void* a, void* b, int c), (a, b, c))

// QApplication::exec(): start-up is over; print what was noted.
extern "C" int _ZN12QApplication4execEv()
{
    static const auto fn = real<int (*)()>("_ZN12QApplication4execEv");
    note("probe %-12s at %8.2f cpu-so-far %7.3f\n", "exec", ms(CLOCK_REALTIME) - execMs(),
         ms(CLOCK_PROCESS_CPUTIME_ID));
    std::fwrite(buffer, 1, used, stderr);
    std::fflush(stderr);
    return fn();
}
