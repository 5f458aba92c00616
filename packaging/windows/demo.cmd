@echo off
rem Registers the demo for Marquill, all in the folder this file was unpacked to: the stand-in
rem compiler as NavMan's folder, the demo's POI folder and an empty demo card. The values go
rem where the 32-bit program looks for them (/reg:32), under HKEY_LOCAL_MACHINE as NavMan's
rem installer writes its own: that takes an administrator.
setlocal
set "here=%~dp0"
set "navman=HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\{17C4BEEA-D6E8-4975-B2CC-53F6F5CE9959}"
set "settings=HKLM\SOFTWARE\Tarvo\Marquill"
if not exist "%here%demo\SD-Karte" mkdir "%here%demo\SD-Karte"
if not exist "%here%demo\SD-Karte" goto failed
reg add "%navman%" /v InstallLocation /t REG_SZ /d "%here%demo\NavMan" /f /reg:32 >nul
if errorlevel 1 goto failed
reg add "%settings%" /v Path_POI /t REG_SZ /d "%here%demo\POI" /f /reg:32 >nul
if errorlevel 1 goto failed
reg add "%settings%" /v Path_SD /t REG_SZ /d "%here%demo\SD-Karte" /f /reg:32 >nul
if errorlevel 1 goto failed
echo Die Demo ist eingerichtet: marquill.exe starten und "Installieren" druecken.
echo Die Demo-Karte ist %here%demo\SD-Karte
exit /b 0
:failed
echo Die Demo konnte nicht eingetragen werden. demo.cmd bitte als Administrator ausfuehren
echo (Rechtsklick, "Als Administrator ausfuehren").
exit /b 1
