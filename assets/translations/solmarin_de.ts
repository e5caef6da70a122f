<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BoardAccess</name>
    <message>
        <source>card table</source>
        <translation>Kartentisch</translation>
    </message>
    <message>
        <source>Ace</source>
        <translation>Ass</translation>
    </message>
    <message>
        <source>Two</source>
        <translation>Zwei</translation>
    </message>
    <message>
        <source>Three</source>
        <translation>Drei</translation>
    </message>
    <message>
        <source>Four</source>
        <translation>Vier</translation>
    </message>
    <message>
        <source>Five</source>
        <translation>Fünf</translation>
    </message>
    <message>
        <source>Six</source>
        <translation>Sechs</translation>
    </message>
    <message>
        <source>Seven</source>
        <translation>Sieben</translation>
    </message>
    <message>
        <source>Eight</source>
        <translation>Acht</translation>
    </message>
    <message>
        <source>Nine</source>
        <translation>Neun</translation>
    </message>
    <message>
        <source>Ten</source>
        <translation>Zehn</translation>
    </message>
    <message>
        <source>Jack</source>
        <translation>Bube</translation>
    </message>
    <message>
        <source>Queen</source>
        <translation>Dame</translation>
    </message>
    <message>
        <source>King</source>
        <translation>König</translation>
    </message>
    <message>
        <source>Clubs</source>
        <translation>Kreuz</translation>
    </message>
    <message>
        <source>Diamonds</source>
        <translation>Karo</translation>
    </message>
    <message>
        <source>Hearts</source>
        <translation>Herz</translation>
    </message>
    <message>
        <source>Spades</source>
        <translation>Pik</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>A card&apos;s name: %1 is its rank, %2 its suit.</extracomment>
        <translation>%2 %1</translation>
    </message>
    <message>
        <source>stock, empty</source>
        <translation>Talon, leer</translation>
    </message>
    <message>
        <source>stock, 1 card</source>
        <translation>Talon, 1 Karte</translation>
    </message>
    <message>
        <source>stock, %1 cards</source>
        <translation>Talon, %1 Karten</translation>
    </message>
    <message>
        <source>discard pile, %1</source>
        <translation>Ablagestapel, %1</translation>
    </message>
    <message>
        <source>discard pile, empty</source>
        <translation>Ablagestapel, leer</translation>
    </message>
    <message>
        <source>empty place</source>
        <translation>leerer Platz</translation>
    </message>
    <message>
        <source>face-down card</source>
        <translation>verdeckte Karte</translation>
    </message>
    <message>
        <source>, playable</source>
        <translation>, spielbar</translation>
    </message>
    <message>
        <source>New game. %1 on the discard pile, 23 cards in the stock.</source>
        <translation>Neues Spiel. %1 auf dem Ablagestapel, 23 Karten im Talon.</translation>
    </message>
    <message>
        <source>%1 played, %2.</source>
        <translation>%1 gespielt, %2.</translation>
    </message>
    <message>
        <source>Peak bonus.</source>
        <translation>Gipfelbonus.</translation>
    </message>
    <message>
        <source>Turned up: %1.</source>
        <translation>Aufgedeckt: %1.</translation>
    </message>
    <message>
        <source>Stock turned: %1, %2.</source>
        <translation>Vom Talon aufgedeckt: %1, %2.</translation>
    </message>
    <message>
        <source>The stock is empty, %1.</source>
        <translation>Der Talon ist leer, %1.</translation>
    </message>
    <message>
        <source>Board cleared! End bonus %1. Final score %2.</source>
        <translation>Spielfeld abgeräumt! Schlussbonus %1. Endstand %2.</translation>
    </message>
    <message>
        <source>No card fits and the stock is empty: game lost. Final score %1.</source>
        <translation>Keine Karte passt und der Talon ist leer: Spiel verloren. Endstand %1.</translation>
    </message>
    <message>
        <source>Score %1.</source>
        <translation>Punkte %1.</translation>
    </message>
    <message>
        <source>End of the row. %1</source>
        <translation>Ende der Reihe. %1</translation>
    </message>
    <message>
        <source> The frame is on %1.</source>
        <translation> Der Rahmen liegt auf %1.</translation>
    </message>
    <message>
        <source>Undo, %1: %2 back on the table, %3 on the discard pile.</source>
        <translation>Rückgängig, %1: %2 wieder auf dem Tisch, %3 auf dem Ablagestapel.</translation>
    </message>
    <message>
        <source>Undo: %1 back in the stock, %2 on the discard pile. %3.</source>
        <translation>Rückgängig: %1 wieder im Talon, %2 auf dem Ablagestapel. %3.</translation>
    </message>
    <message>
        <source>Undo, %1: %2 on the discard pile.</source>
        <translation>Rückgängig, %1: %2 auf dem Ablagestapel.</translation>
    </message>
</context>
<context>
    <name>Tabout</name>
    <message>
        <source>Solmarin - About</source>
        <translation>Solmarin - Über</translation>
    </message>
    <message>
        <source>Programmed by the Solmarin team</source>
        <translation>Programmiert vom Solmarin-Team</translation>
    </message>
    <message>
        <source>Copyright 2026</source>
        <translation>Copyright 2026</translation>
    </message>
    <message>
        <source>All rights reserved.</source>
        <translation>Alle Rechte vorbehalten.</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>Thelp</name>
    <message>
        <source>Solmarin - Help File</source>
        <translation>Solmarin - Hilfe</translation>
    </message>
    <message>
        <source>Overview</source>
        <translation>Überblick</translation>
    </message>
    <message>
        <source>Game Play</source>
        <translation>Spielablauf</translation>
    </message>
    <message>
        <source>Scoring</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>Documentation</source>
        <translation>Dokumentation</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Programmed by the</source>
        <translation>Programmiert vom</translation>
    </message>
    <message>
        <source>Solmarin team</source>
        <translation>Solmarin-Team</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Keys and Deals</source>
        <translation>Tasten und Spiele</translation>
    </message>
</context>
<context>
    <name>Thighscore</name>
    <message>
        <source>Solmarin - High Scores</source>
        <translation>Solmarin - Bestenliste</translation>
    </message>
    <message>
        <source>Solmarin High Score List</source>
        <translation>Solmarin Bestenliste</translation>
    </message>
    <message>
        <source>DONE</source>
        <translation>FERTIG</translation>
    </message>
    <message>
        <source>Fetching the high score list...</source>
        <translation>Bestenliste wird geladen...</translation>
    </message>
    <message>
        <source>The high score list could not be fetched. The score server cannot be reached; open the list again to try once more.</source>
        <translation>Die Bestenliste konnte nicht geladen werden. Der Punkteserver ist nicht erreichbar; öffne die Liste noch einmal, um es erneut zu versuchen.</translation>
    </message>
    <message>
        <source>Deal of the Day</source>
        <translation>Spiel des Tages</translation>
    </message>
    <message>
        <source>All Scores</source>
        <translation>Alle Ergebnisse</translation>
    </message>
    <message>
        <source>No scores have been posted for the Deal of the Day of %1 yet.</source>
        <translation>Für das Spiel des Tages vom %1 wurden noch keine Punkte gesendet.</translation>
    </message>
</context>
<context>
    <name>Tmain</name>
    <message>
        <source>START GAME</source>
        <translation>NEUES SPIEL</translation>
    </message>
    <message>
        <source>UNDO -3</source>
        <translation>ZURÜCK -3</translation>
    </message>
    <message>
        <source>ENTER YOUR NAME</source>
        <translation>GIB DEINEN NAMEN EIN</translation>
    </message>
    <message>
        <source>DONE</source>
        <translation>FERTIG</translation>
    </message>
    <message>
        <source>SORRY, YOU LOST!</source>
        <translation>LEIDER VERLOREN!</translation>
    </message>
    <message>
        <source>YOUR CLEARED THE BOARD!</source>
        <translation>SPIELFELD ABGERÄUMT!</translation>
    </message>
    <message>
        <source>Enter Your Name</source>
        <translation>Gib deinen Namen ein</translation>
    </message>
    <message>
        <source>SEND SCORE</source>
        <translation>PUNKTE SENDEN</translation>
    </message>
    <message>
        <source>HIGH SCORES</source>
        <translation>BESTENLISTE</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>ABBRECHEN</translation>
    </message>
    <message>
        <source>Posting Score, Please Wait......</source>
        <translation>Sende Punkte, bitte warten......</translation>
    </message>
    <message>
        <source>Update Available</source>
        <translation>Update verfügbar</translation>
    </message>
    <message>
        <source>Would you like to update now?</source>
        <translation>Möchtest du jetzt aktualisieren?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Spiel</translation>
    </message>
    <message>
        <source>Start New Game</source>
        <translation>Neues Spiel</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Play Sounds</source>
        <translation>Töne abspielen</translation>
    </message>
    <message>
        <source>Reset Screen Location</source>
        <translation>Fensterposition zurücksetzen</translation>
    </message>
    <message>
        <source>Change  Name</source>
        <translation>Namen ändern</translation>
    </message>
    <message>
        <source>Automatically Check for Updates</source>
        <translation>Automatisch nach Updates suchen</translation>
    </message>
    <message>
        <source>Animate Cards</source>
        <translation>Karten animieren</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ansicht</translation>
    </message>
    <message>
        <source>Tally List</source>
        <translation>Statistik</translation>
    </message>
    <message>
        <source>View High Score List</source>
        <translation>Bestenliste anzeigen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Score: %1</source>
        <translation>Punkte: %1</translation>
    </message>
    <message>
        <source>Cards Left: %1</source>
        <translation>Karten übrig: %1</translation>
    </message>
    <message>
        <source>Deal %1</source>
        <translation>Spiel Nr. %1</translation>
    </message>
    <message>
        <source>Good Luck %1</source>
        <translation>Viel Glück %1</translation>
    </message>
    <message>
        <source>Welcome to Solmarin by Velbor Software!</source>
        <translation>Willkommen bei Solmarin von Velbor Software!</translation>
    </message>
    <message>
        <source>You Cleared The Board!</source>
        <translation>Spielfeld abgeräumt!</translation>
    </message>
    <message>
        <source>Your Score: %1</source>
        <translation>Deine Punkte: %1</translation>
    </message>
    <message>
        <source>Posting Score, Please Wait</source>
        <translation>Sende Punkte, bitte warten</translation>
    </message>
    <message>
        <source>Posting Failed.</source>
        <translation>Senden fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Select Deal...</source>
        <translation>Spiel auswählen...</translation>
    </message>
    <message>
        <source>Restart Deal</source>
        <translation>Spiel neu beginnen</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Tipp</translation>
    </message>
    <message>
        <source>This game can no longer be won.</source>
        <translation>Nicht mehr zu gewinnen.</translation>
    </message>
    <message>
        <source>Select Deal</source>
        <translation>Spiel auswählen</translation>
    </message>
    <message>
        <source>Deal number (0 to 4294967295):</source>
        <translation>Spielnummer (0 bis 4294967295):</translation>
    </message>
    <message>
        <source>Updating. Please Wait...</source>
        <translation>Aktualisiere. Bitte warten...</translation>
    </message>
    <message>
        <source>Received %1 bytes</source>
        <translation>%1 Bytes empfangen</translation>
    </message>
    <message>
        <source>Installing</source>
        <translation>Installiere</translation>
    </message>
    <message>
        <source>There was an error in the update process. Please download %1 manually from %2.</source>
        <translation>Bei der Aktualisierung ist ein Fehler aufgetreten. Bitte lade %1 von Hand von %2 herunter.</translation>
    </message>
    <message>
        <source>Download Aborted</source>
        <translation>Download abgebrochen</translation>
    </message>
    <message>
        <source>Winnable Deals Only</source>
        <translation>Nur lösbare Spiele</translation>
    </message>
    <message>
        <source>This deal cannot be won.</source>
        <translation>Dieses Spiel ist nicht lösbar.</translation>
    </message>
    <message>
        <source>Deal of the Day %1 (deal %2)</source>
        <translation>Spiel des Tages %1 (Spiel Nr. %2)</translation>
    </message>
    <message>
        <source>Deal of the Day</source>
        <translation>Spiel des Tages</translation>
    </message>
    <message>
        <source>%1 web site</source>
        <translation>Website von %1</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Dein Name</translation>
    </message>
    <message>
        <source>Hint: turn the stock.</source>
        <translation>Tipp: Karte vom Talon aufdecken.</translation>
    </message>
    <message>
        <source>Hint: play the %1.</source>
        <translation>Tipp: spiele %1.</translation>
    </message>
</context>
<context>
    <name>Ttallylist</name>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>Are you sure you want to reset the Tally?</source>
        <translation>Möchtest du die Statistik wirklich zurücksetzen?</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>Solmarin - Tally List</source>
        <translation>Solmarin - Statistik</translation>
    </message>
    <message>
        <source>YOUR TALLY LIST</source>
        <translation>DEINE STATISTIK</translation>
    </message>
    <message>
        <source>Total Games:</source>
        <translation>Spiele:</translation>
    </message>
    <message>
        <source>Games Cleared:</source>
        <translation>Gewonnen:</translation>
    </message>
    <message>
        <source>Win Percentage:</source>
        <translation>Gewinnquote:</translation>
    </message>
    <message>
        <source>Longest Chain</source>
        <translation>Längste Kette</translation>
    </message>
    <message>
        <source>HIGH SCORES</source>
        <translation>BESTENLISTE</translation>
    </message>
    <message>
        <source>RESET TALLY</source>
        <translation>ZURÜCKSETZEN</translation>
    </message>
    <message>
        <source>DONE</source>
        <translation>FERTIG</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Platz</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>YOUR TALLY LIST: %1. HIGH SCORES</source>
        <translation>DEINE STATISTIK: %1. BESTENLISTE</translation>
    </message>
</context>
<context>
    <name>errorbox</name>
    <message>
        <source>An unexpected error occurred</source>
        <translation>Ein unerwarteter Fehler ist aufgetreten</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>%1 : this file has no valid header !</source>
        <translation>%1: Diese Datei hat keinen gültigen Kopf!</translation>
    </message>
    <message>
        <source>Error reading from the file %1</source>
        <translation>Fehler beim Lesen der Datei %1</translation>
    </message>
    <message>
        <source>The file %1 cannot be opened</source>
        <translation>Die Datei %1 lässt sich nicht öffnen</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; ist keine gültige Ganzzahl</translation>
    </message>
    <message>
        <source>Unable to write to the temporary folder</source>
        <translation>Schreiben in den temporären Ordner nicht möglich</translation>
    </message>
</context>
</TS>
