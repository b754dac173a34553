/*
 * Runs one Windows program on a named desktop and returns its exit code.
 *
 *   launch.exe -d DESKTOP -t SECONDS PROGRAM [ARGS...]
 *   launch.exe -hold READY_FILE
 *
 * "explorer /desktop=NAME prog.exe" drops the exit code, so the child is
 * created here with STARTUPINFO.lpDesktop instead. The child and everything
 * it starts live in a job: on timeout the whole job is killed, and leftovers
 * die with the job when this launcher exits, so they cannot disturb the
 * next program on the same desktop.
 *
 * -hold creates READY_FILE and sleeps until killed. Wine closes a virtual
 * desktop about a second after its last user other than explorer leaves; a
 * holder started on the desktop keeps it, and with it the clipboard data
 * that explorer keeps for owners that have exited, alive between runs.
 */
#include <windows.h>
#include <stdio.h>
#include <wchar.h>

enum {
    EXIT_TIMEOUT = 124,
    EXIT_LAUNCH_FAILED = 127,
    EXIT_CODE_TOO_LARGE = 255,
    COMMAND_LINE_MAX = 32768,
};

typedef WCHAR*(CDECL* DosFileNameFn)(const char*);

static void usage(void) {
    fputs("usage: launch.exe -d DESKTOP -t SECONDS PROGRAM [ARGS...]\n"
          "       launch.exe -hold READY_FILE\n",
          stderr);
}

/* Appends one argument quoted so that CommandLineToArgvW gives it back unchanged. */
static int append_quoted(WCHAR* line, size_t cap, size_t* len, const WCHAR* arg) {
    size_t n = *len;
    int quote = arg[0] == L'\0' || wcspbrk(arg, L" \t\n\v\"") != NULL;
    const WCHAR* p;

    if (n > 0) {
        if (n + 1 >= cap)
            return 0;
        line[n++] = L' ';
    }
    if (!quote) {
        size_t a = wcslen(arg);
        if (n + a >= cap)
            return 0;
        wmemcpy(line + n, arg, a);
        *len = n + a;
        line[*len] = L'\0';
        return 1;
    }
    if (n + 1 >= cap)
        return 0;
    line[n++] = L'"';
    for (p = arg;; ++p) {
        size_t slashes = 0;
        size_t i;
        while (*p == L'\\') {
            ++slashes;
            ++p;
        }
        /* Backslashes are literal unless they precede a quote or the closing quote. */
        if (*p == L'\0')
            slashes *= 2;
        else if (*p == L'"')
            slashes = slashes * 2 + 1;
        if (n + slashes + 2 >= cap)
            return 0;
        for (i = 0; i < slashes; ++i)
            line[n++] = L'\\';
        if (*p == L'\0')
            break;
        line[n++] = *p;
    }
    line[n++] = L'"';
    line[n] = L'\0';
    *len = n;
    return 1;
}

/* Unix paths come straight from the host; Wine can map them to a DOS path. */
static WCHAR* dos_path(const WCHAR* program) {
    DosFileNameFn to_dos;
    char unix_path[MAX_PATH * 4];

    if (program[0] != L'/')
        return NULL;
    to_dos = (DosFileNameFn)(void (*)(void))GetProcAddress(GetModuleHandleA("kernel32.dll"),
                                                           "wine_get_dos_file_name");
    if (to_dos == NULL)
        return NULL;
    if (WideCharToMultiByte(CP_UTF8, 0, program, -1, unix_path, (int)sizeof unix_path, NULL,
                            NULL) == 0)
        return NULL;
    return to_dos(unix_path);
}

static int hold(const WCHAR* ready_file) {
    WCHAR* converted = dos_path(ready_file);
    const WCHAR* path = converted != NULL ? converted : ready_file;
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written = 0;

    if (file == INVALID_HANDLE_VALUE) {
        fprintf(stderr, "launch: cannot create %ls, error %lu\n", path, GetLastError());
        return EXIT_LAUNCH_FAILED;
    }
    WriteFile(file, "holding\n", 8, &written, NULL);
    CloseHandle(file);
    Sleep(INFINITE);
    return 0;
}

static int run(const WCHAR* desktop, DWORD seconds, int argc, WCHAR** argv) {
    static WCHAR line[COMMAND_LINE_MAX];
    size_t len = 0;
    WCHAR* converted = dos_path(argv[0]);
    const WCHAR* program = converted != NULL ? converted : argv[0];
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits;
    STARTUPINFOW si;
    PROCESS_INFORMATION pi;
    HANDLE job;
    DWORD code = 0;
    int i;

    line[0] = L'\0';
    if (!append_quoted(line, COMMAND_LINE_MAX, &len, program)) {
        fputs("launch: command line too long\n", stderr);
        return EXIT_LAUNCH_FAILED;
    }
    for (i = 1; i < argc; ++i) {
        if (!append_quoted(line, COMMAND_LINE_MAX, &len, argv[i])) {
            fputs("launch: command line too long\n", stderr);
            return EXIT_LAUNCH_FAILED;
        }
    }

    job = CreateJobObjectW(NULL, NULL);
    if (job == NULL) {
        fprintf(stderr, "launch: CreateJobObject failed, error %lu\n", GetLastError());
        return EXIT_LAUNCH_FAILED;
    }
    ZeroMemory(&limits, sizeof limits);
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);

    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    si.lpDesktop = (WCHAR*)desktop;
    ZeroMemory(&pi, sizeof pi);
    if (!CreateProcessW(NULL, line, NULL, NULL, TRUE, CREATE_SUSPENDED, NULL, NULL, &si, &pi)) {
        fprintf(stderr, "launch: cannot start %ls, error %lu\n", program, GetLastError());
        CloseHandle(job);
        return EXIT_LAUNCH_FAILED;
    }
    AssignProcessToJobObject(job, pi.hProcess);
    ResumeThread(pi.hThread);
    CloseHandle(pi.hThread);

    if (WaitForSingleObject(pi.hProcess, seconds * 1000) != WAIT_OBJECT_0) {
        fprintf(stderr, "launch: %ls still running after %lu s, killed\n", program, seconds);
        TerminateJobObject(job, EXIT_TIMEOUT);
        WaitForSingleObject(pi.hProcess, 5000);
        CloseHandle(pi.hProcess);
        CloseHandle(job);
        return EXIT_TIMEOUT;
    }
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(job);
    fflush(stdout);
    if (code > 255) {
        /* A host exit status keeps 8 bits; 0xC0000100 must not look like success. */
        fprintf(stderr, "launch: %ls exited with 0x%08lX\n", program, code);
        return EXIT_CODE_TOO_LARGE;
    }
    return (int)code;
}

int wmain(int argc, WCHAR** argv) {
    const WCHAR* desktop = NULL;
    unsigned long seconds = 0;
    int i = 1;

    if (argc == 3 && wcscmp(argv[1], L"-hold") == 0)
        return hold(argv[2]);
    while (i + 1 < argc && argv[i][0] == L'-') {
        if (wcscmp(argv[i], L"-d") == 0) {
            desktop = argv[i + 1];
        } else if (wcscmp(argv[i], L"-t") == 0) {
            seconds = wcstoul(argv[i + 1], NULL, 10);
        } else {
            break;
        }
        i += 2;
    }
    /* Every run is bounded; an hour is far beyond any test. */
    if (desktop == NULL || seconds == 0 || seconds > 3600 || i >= argc) {
        usage();
        return EXIT_LAUNCH_FAILED;
    }
    return run(desktop, (DWORD)seconds, argc - i, argv + i);
}
