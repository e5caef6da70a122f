<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL">
<context>
    <name>BoardAccess</name>
    <message>
        <source>card table</source>
        <translation>speeltafel</translation>
    </message>
    <message>
        <source>Ace</source>
        <translation>aas</translation>
    </message>
    <message>
        <source>Two</source>
        <translation>twee</translation>
    </message>
    <message>
        <source>Three</source>
        <translation>drie</translation>
    </message>
    <message>
        <source>Four</source>
        <translation>vier</translation>
    </message>
    <message>
        <source>Five</source>
        <translation>vijf</translation>
    </message>
    <message>
        <source>Six</source>
        <translation>zes</translation>
    </message>
    <message>
        <source>Seven</source>
        <translation>zeven</translation>
    </message>
    <message>
        <source>Eight</source>
        <translation>acht</translation>
    </message>
    <message>
        <source>Nine</source>
        <translation>negen</translation>
    </message>
    <message>
        <source>Ten</source>
        <translation>tien</translation>
    </message>
    <message>
        <source>Jack</source>
        <translation>boer</translation>
    </message>
    <message>
        <source>Queen</source>
        <translation>vrouw</translation>
    </message>
    <message>
        <source>King</source>
        <translation>heer</translation>
    </message>
    <message>
        <source>Clubs</source>
        <translation>Klaveren</translation>
    </message>
    <message>
        <source>Diamonds</source>
        <translation>Ruiten</translation>
    </message>
    <message>
        <source>Hearts</source>
        <translation>Harten</translation>
    </message>
    <message>
        <source>Spades</source>
        <translation>Schoppen</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>A card&apos;s name: %1 is its rank, %2 its suit.</extracomment>
        <translation>%2 %1</translation>
    </message>
    <message>
        <source>stock, empty</source>
        <translation>stapel, leeg</translation>
    </message>
    <message>
        <source>stock, 1 card</source>
        <translation>stapel, 1 kaart</translation>
    </message>
    <message>
        <source>stock, %1 cards</source>
        <translation>stapel, %1 kaarten</translation>
    </message>
    <message>
        <source>discard pile, %1</source>
        <translation>aflegstapel, %1</translation>
    </message>
    <message>
        <source>discard pile, empty</source>
        <translation>aflegstapel, leeg</translation>
    </message>
    <message>
        <source>empty place</source>
        <translation>lege plek</translation>
    </message>
    <message>
        <source>face-down card</source>
        <translation>dichte kaart</translation>
    </message>
    <message>
        <source>, playable</source>
        <translation>, speelbaar</translation>
    </message>
    <message>
        <source>New game. %1 on the discard pile, 23 cards in the stock.</source>
        <translation>Nieuw spel. %1 op de aflegstapel, 23 kaarten in de stapel.</translation>
    </message>
    <message>
        <source>%1 played, %2.</source>
        <translation>%1 gespeeld, %2.</translation>
    </message>
    <message>
        <source>Peak bonus.</source>
        <translation>Topbonus.</translation>
    </message>
    <message>
        <source>Turned up: %1.</source>
        <translation>Omgedraaid: %1.</translation>
    </message>
    <message>
        <source>Stock turned: %1, %2.</source>
        <translation>Van de stapel: %1, %2.</translation>
    </message>
    <message>
        <source>The stock is empty, %1.</source>
        <translation>De stapel is leeg, %1.</translation>
    </message>
    <message>
        <source>Board cleared! End bonus %1. Final score %2.</source>
        <translation>Bord leeggespeeld! Eindbonus %1. Eindscore %2.</translation>
    </message>
    <message>
        <source>No card fits and the stock is empty: game lost. Final score %1.</source>
        <translation>Geen kaart past en de stapel is leeg: spel verloren. Eindscore %1.</translation>
    </message>
    <message>
        <source>Score %1.</source>
        <translation>Score %1.</translation>
    </message>
    <message>
        <source>End of the row. %1</source>
        <translation>Einde van de rij. %1</translation>
    </message>
    <message>
        <source> The frame is on %1.</source>
        <translation> Het kader staat op %1.</translation>
    </message>
    <message>
        <source>Undo, %1: %2 back on the table, %3 on the discard pile.</source>
        <translation>Ongedaan, %1: %2 terug op tafel, %3 op de aflegstapel.</translation>
    </message>
    <message>
        <source>Undo: %1 back in the stock, %2 on the discard pile. %3.</source>
        <translation>Ongedaan: %1 terug in de stapel, %2 op de aflegstapel. %3.</translation>
    </message>
    <message>
        <source>Undo, %1: %2 on the discard pile.</source>
        <translation>Ongedaan, %1: %2 op de aflegstapel.</translation>
    </message>
</context>
<context>
    <name>Tabout</name>
    <message>
        <source>Solmarin - About</source>
        <translation>Solmarin - Over</translation>
    </message>
    <message>
        <source>Programmed by the Solmarin team</source>
        <translation>Geprogrammeerd door het Solmarin-team</translation>
    </message>
    <message>
        <source>Copyright 2026</source>
        <translation>Copyright 2026</translation>
    </message>
    <message>
        <source>All rights reserved.</source>
        <translation>Alle rechten voorbehouden.</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versie</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Klaar</translation>
    </message>
</context>
<context>
    <name>Thelp</name>
    <message>
        <source>Solmarin - Help File</source>
        <translation>Solmarin - Help</translation>
    </message>
    <message>
        <source>Overview</source>
        <translation>Overzicht</translation>
    </message>
    <message>
        <source>Game Play</source>
        <translation>Spelverloop</translation>
    </message>
    <message>
        <source>Scoring</source>
        <translation>Puntentelling</translation>
    </message>
    <message>
        <source>Documentation</source>
        <translation>Documentatie</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Over</translation>
    </message>
    <message>
        <source>Programmed by the</source>
        <translation>Gemaakt door</translation>
    </message>
    <message>
        <source>Solmarin team</source>
        <translation>het Solmarin-team</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Klaar</translation>
    </message>
    <message>
        <source>Keys and Deals</source>
        <translation>Toetsen en spellen</translation>
    </message>
</context>
<context>
    <name>Thighscore</name>
    <message>
        <source>Solmarin - High Scores</source>
        <translation>Solmarin - Topscores</translation>
    </message>
    <message>
        <source>Solmarin High Score List</source>
        <translation>Solmarin Topscores</translation>
    </message>
    <message>
        <source>DONE</source>
        <translation>KLAAR</translation>
    </message>
    <message>
        <source>Fetching the high score list...</source>
        <translation>Topscores worden opgehaald...</translation>
    </message>
    <message>
        <source>The high score list could not be fetched. The score server cannot be reached; open the list again to try once more.</source>
        <translation>De topscores konden niet worden opgehaald. De scoreserver is niet bereikbaar; open de lijst opnieuw om het nog eens te proberen.</translation>
    </message>
    <message>
        <source>Deal of the Day</source>
        <translation>Spel van de dag</translation>
    </message>
    <message>
        <source>All Scores</source>
        <translation>Alle scores</translation>
    </message>
    <message>
        <source>No scores have been posted for the Deal of the Day of %1 yet.</source>
        <translation>Er zijn nog geen scores ingestuurd voor het spel van de dag van %1.</translation>
    </message>
</context>
<context>
    <name>Tmain</name>
    <message>
        <source>START GAME</source>
        <translation>NIEUW SPEL</translation>
    </message>
    <message>
        <source>UNDO -3</source>
        <translation>TERUG -3</translation>
    </message>
    <message>
        <source>ENTER YOUR NAME</source>
        <translation>VOER JE NAAM IN</translation>
    </message>
    <message>
        <source>DONE</source>
        <translation>KLAAR</translation>
    </message>
    <message>
        <source>SORRY, YOU LOST!</source>
        <translation>HELAAS, VERLOREN!</translation>
    </message>
    <message>
        <source>YOUR CLEARED THE BOARD!</source>
        <translation>BORD LEEGGESPEELD!</translation>
    </message>
    <message>
        <source>Enter Your Name</source>
        <translation>Voer je naam in</translation>
    </message>
    <message>
        <source>SEND SCORE</source>
        <translation>SCORE STUREN</translation>
    </message>
    <message>
        <source>HIGH SCORES</source>
        <translation>TOPSCORES</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>ANNULEREN</translation>
    </message>
    <message>
        <source>Posting Score, Please Wait......</source>
        <translation>Score versturen, even geduld......</translation>
    </message>
    <message>
        <source>Update Available</source>
        <translation>Update beschikbaar</translation>
    </message>
    <message>
        <source>Would you like to update now?</source>
        <translation>Wil je nu bijwerken?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Spel</translation>
    </message>
    <message>
        <source>Start New Game</source>
        <translation>Nieuw spel</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Ongedaan maken</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Afsluiten</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Opties</translation>
    </message>
    <message>
        <source>Play Sounds</source>
        <translation>Geluiden afspelen</translation>
    </message>
    <message>
        <source>Reset Screen Location</source>
        <translation>Vensterpositie herstellen</translation>
    </message>
    <message>
        <source>Change  Name</source>
        <translation>Naam wijzigen</translation>
    </message>
    <message>
        <source>Automatically Check for Updates</source>
        <translation>Automatisch naar updates zoeken</translation>
    </message>
    <message>
        <source>Animate Cards</source>
        <translation>Kaarten animeren</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Beeld</translation>
    </message>
    <message>
        <source>Tally List</source>
        <translation>Statistieken</translation>
    </message>
    <message>
        <source>View High Score List</source>
        <translation>Topscores bekijken</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Over</translation>
    </message>
    <message>
        <source>Score: %1</source>
        <translation>Score: %1</translation>
    </message>
    <message>
        <source>Cards Left: %1</source>
        <translation>Kaarten over: %1</translation>
    </message>
    <message>
        <source>Deal %1</source>
        <translation>Spel %1</translation>
    </message>
    <message>
        <source>Good Luck %1</source>
        <translation>Veel succes %1</translation>
    </message>
    <message>
        <source>Welcome to Solmarin by Velbor Software!</source>
        <translation>Welkom bij Solmarin van Velbor Software!</translation>
    </message>
    <message>
        <source>You Cleared The Board!</source>
        <translation>Bord leeggespeeld!</translation>
    </message>
    <message>
        <source>Your Score: %1</source>
        <translation>Je score: %1</translation>
    </message>
    <message>
        <source>Posting Score, Please Wait</source>
        <translation>Score versturen, even geduld</translation>
    </message>
    <message>
        <source>Posting Failed.</source>
        <translation>Versturen mislukt.</translation>
    </message>
    <message>
        <source>Select Deal...</source>
        <translation>Spel kiezen...</translation>
    </message>
    <message>
        <source>Restart Deal</source>
        <translation>Spel opnieuw</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>This game can no longer be won.</source>
        <translation>Niet meer te winnen.</translation>
    </message>
    <message>
        <source>Select Deal</source>
        <translation>Spel kiezen</translation>
    </message>
    <message>
        <source>Deal number (0 to 4294967295):</source>
        <translation>Spelnummer (0 tot 4294967295):</translation>
    </message>
    <message>
        <source>Updating. Please Wait...</source>
        <translation>Bijwerken. Even geduld...</translation>
    </message>
    <message>
        <source>Received %1 bytes</source>
        <translation>%1 bytes ontvangen</translation>
    </message>
    <message>
        <source>Installing</source>
        <translation>Installeren</translation>
    </message>
    <message>
        <source>There was an error in the update process. Please download %1 manually from %2.</source>
        <translation>Er ging iets mis bij het bijwerken. Download %1 zelf via %2.</translation>
    </message>
    <message>
        <source>Download Aborted</source>
        <translation>Download afgebroken</translation>
    </message>
    <message>
        <source>Winnable Deals Only</source>
        <translation>Alleen winbare spellen</translation>
    </message>
    <message>
        <source>This deal cannot be won.</source>
        <translation>Dit spel is niet te winnen.</translation>
    </message>
    <message>
        <source>Deal of the Day %1 (deal %2)</source>
        <translation>Spel van de dag %1 (spel %2)</translation>
    </message>
    <message>
        <source>Deal of the Day</source>
        <translation>Spel van de dag</translation>
    </message>
    <message>
        <source>%1 web site</source>
        <translation>Website van %1</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Je naam</translation>
    </message>
    <message>
        <source>Hint: turn the stock.</source>
        <translation>Hint: draai een kaart van de stapel om.</translation>
    </message>
    <message>
        <source>Hint: play the %1.</source>
        <translation>Hint: speel %1.</translation>
    </message>
</context>
<context>
    <name>Ttallylist</name>
    <message>
        <source>Confirm</source>
        <translation>Bevestigen</translation>
    </message>
    <message>
        <source>Are you sure you want to reset the Tally?</source>
        <translation>Weet je zeker dat je de statistieken wilt wissen?</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nee</translation>
    </message>
    <message>
        <source>Solmarin - Tally List</source>
        <translation>Solmarin - Statistieken</translation>
    </message>
    <message>
        <source>YOUR TALLY LIST</source>
        <translation>JOUW STATISTIEKEN</translation>
    </message>
    <message>
        <source>Total Games:</source>
        <translation>Spellen:</translation>
    </message>
    <message>
        <source>Games Cleared:</source>
        <translation>Gewonnen:</translation>
    </message>
    <message>
        <source>Win Percentage:</source>
        <translation>Winstpercentage:</translation>
    </message>
    <message>
        <source>Longest Chain</source>
        <translation>Langste reeks</translation>
    </message>
    <message>
        <source>HIGH SCORES</source>
        <translation>TOPSCORES</translation>
    </message>
    <message>
        <source>RESET TALLY</source>
        <translation>WISSEN</translation>
    </message>
    <message>
        <source>DONE</source>
        <translation>KLAAR</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Plaats</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Naam</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>YOUR TALLY LIST: %1. HIGH SCORES</source>
        <translation>JOUW STATISTIEKEN: %1. TOPSCORES</translation>
    </message>
</context>
<context>
    <name>errorbox</name>
    <message>
        <source>An unexpected error occurred</source>
        <translation>Er is een onverwachte fout opgetreden</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>Kan niet schrijven naar %1</translation>
    </message>
    <message>
        <source>%1 : this file has no valid header !</source>
        <translation>%1: dit bestand heeft geen geldige kop!</translation>
    </message>
    <message>
        <source>Error reading from the file %1</source>
        <translation>Fout bij het lezen van het bestand %1</translation>
    </message>
    <message>
        <source>The file %1 cannot be opened</source>
        <translation>Het bestand %1 kan niet worden geopend</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; is geen geldig geheel getal</translation>
    </message>
    <message>
        <source>Unable to write to the temporary folder</source>
        <translation>Kan niet schrijven naar de tijdelijke map</translation>
    </message>
</context>
</TS>
