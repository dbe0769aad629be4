@echo off
rem Benchwright on a machine without remote management, through Task Scheduler.
rem
rem   schedule-benchwright.cmd         makes the task "Benchwright": this file, run at %AT% in
rem                                    your session (you must be logged on: the game needs your
rem                                    desktop); "schtasks /Run /TN Benchwright" starts it now
rem   schedule-benchwright.cmd run     the run itself: one preset into the results share with the
rem                                    label, its lines added to <share>\<computer>.log, and
rem                                    Benchwright's exit code as the task's "Last Run Result"
rem                                    (0 all recorded, 1 some launch left no record, 2 wrong
rem                                    arguments, 3 no run could start)
rem
rem Change the lines below; keep double quotes out of LABEL and no backslash at the end of SHARE.
setlocal
set BENCHWRIGHT=C:\Tools\Benchwright\benchwright.exe
set SHARE=\\labserver\bench
set LABEL=baseline
set PRESET=high
set RESOLUTIONS=1024x768,1280x1024
set RUNS=3
set AT=02:00

if /i "%~1"=="run" goto run

schtasks /Create /F /TN Benchwright /SC ONCE /ST %AT% /IT /TR "\"%~f0\" run"
if errorlevel 1 exit /b 1
echo Benchwright runs at %AT%; "schtasks /Run /TN Benchwright" starts it now, and
echo "schtasks /Query /TN Benchwright /V /FO LIST" shows its Last Result (the exit code).
exit /b 0

:run
rem A batch file waits for a windowed program by itself; the run's progress window shows on the
rem desktop, where "Stop after this run" or "End game now" stops it.
"%BENCHWRIGHT%" --preset %PRESET% --resolutions %RESOLUTIONS% --runs %RUNS% --results "%SHARE%" --label "%LABEL%" >>"%SHARE%\%COMPUTERNAME%.log" 2>&1
exit /b %ERRORLEVEL%
