@echo off
rem VavodidedER410.bat: descarga de archivos, del Hand Held a la PC.
rem DAZU lo instala desde DefVavodidedER410.bat cuando falta; no lo lee ni lo ejecuta.
