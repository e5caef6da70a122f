<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL">
<context>
    <name>BoardAccess</name>
    <message>
        <source>card table</source>
        <translation>stół z kartami</translation>
    </message>
    <message>
        <source>Ace</source>
        <translation>As</translation>
    </message>
    <message>
        <source>Two</source>
        <translation>Dwójka</translation>
    </message>
    <message>
        <source>Three</source>
        <translation>Trójka</translation>
    </message>
    <message>
        <source>Four</source>
        <translation>Czwórka</translation>
    </message>
    <message>
        <source>Five</source>
        <translation>Piątka</translation>
    </message>
    <message>
        <source>Six</source>
        <translation>Szóstka</translation>
    </message>
    <message>
        <source>Seven</source>
        <translation>Siódemka</translation>
    </message>
    <message>
        <source>Eight</source>
        <translation>Ósemka</translation>
    </message>
    <message>
        <source>Nine</source>
        <translation>Dziewiątka</translation>
    </message>
    <message>
        <source>Ten</source>
        <translation>Dziesiątka</translation>
    </message>
    <message>
        <source>Jack</source>
        <translation>Walet</translation>
    </message>
    <message>
        <source>Queen</source>
        <translation>Dama</translation>
    </message>
    <message>
        <source>King</source>
        <translation>Król</translation>
    </message>
    <message>
        <source>Clubs</source>
        <translation>trefl</translation>
    </message>
    <message>
        <source>Diamonds</source>
        <translation>karo</translation>
    </message>
    <message>
        <source>Hearts</source>
        <translation>kier</translation>
    </message>
    <message>
        <source>Spades</source>
        <translation>pik</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>A card&apos;s name: %1 is its rank, %2 its suit.</extracomment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>stock, empty</source>
        <translation>talia, pusta</translation>
    </message>
    <message>
        <source>stock, 1 card</source>
        <translation>talia, 1 karta</translation>
    </message>
    <message>
        <source>stock, %1 cards</source>
        <translation>talia, kart: %1</translation>
    </message>
    <message>
        <source>discard pile, %1</source>
        <translation>stos odrzuconych, %1</translation>
    </message>
    <message>
        <source>discard pile, empty</source>
        <translation>stos odrzuconych, pusty</translation>
    </message>
    <message>
        <source>empty place</source>
        <translation>puste miejsce</translation>
    </message>
    <message>
        <source>face-down card</source>
        <translation>karta zakryta</translation>
    </message>
    <message>
        <source>, playable</source>
        <translation>, można zagrać</translation>
    </message>
    <message>
        <source>New game. %1 on the discard pile, 23 cards in the stock.</source>
        <translation>Nowa gra. %1 na stosie odrzuconych, 23 karty w talii.</translation>
    </message>
    <message>
        <source>%1 played, %2.</source>
        <translation>Zagrano: %1, %2.</translation>
    </message>
    <message>
        <source>Peak bonus.</source>
        <translation>Premia za szczyt.</translation>
    </message>
    <message>
        <source>Turned up: %1.</source>
        <translation>Odkryto: %1.</translation>
    </message>
    <message>
        <source>Stock turned: %1, %2.</source>
        <translation>Z talii: %1, %2.</translation>
    </message>
    <message>
        <source>The stock is empty, %1.</source>
        <translation>Talia jest pusta, %1.</translation>
    </message>
    <message>
        <source>Board cleared! End bonus %1. Final score %2.</source>
        <translation>Plansza wyczyszczona! Premia końcowa %1. Wynik końcowy %2.</translation>
    </message>
    <message>
        <source>No card fits and the stock is empty: game lost. Final score %1.</source>
        <translation>Żadna karta nie pasuje, a talia jest pusta: przegrana. Wynik końcowy %1.</translation>
    </message>
    <message>
        <source>Score %1.</source>
        <translation>Wynik %1.</translation>
    </message>
    <message>
        <source>End of the row. %1</source>
        <translation>Koniec rzędu. %1</translation>
    </message>
    <message>
        <source> The frame is on %1.</source>
        <translation> Ramka jest na: %1.</translation>
    </message>
    <message>
        <source>Undo, %1: %2 back on the table, %3 on the discard pile.</source>
        <translation>Cofnięto, %1: %2 z powrotem na stole, %3 na stosie odrzuconych.</translation>
    </message>
    <message>
        <source>Undo: %1 back in the stock, %2 on the discard pile. %3.</source>
        <translation>Cofnięto: %1 z powrotem w talii, %2 na stosie odrzuconych. %3.</translation>
    </message>
    <message>
        <source>Undo, %1: %2 on the discard pile.</source>
        <translation>Cofnięto, %1: %2 na stosie odrzuconych.</translation>
    </message>
</context>
<context>
    <name>Tabout</name>
    <message>
        <source>Solmarin - About</source>
        <translation>Solmarin - O grze</translation>
    </message>
    <message>
        <source>Programmed by the Solmarin team</source>
        <translation>Zaprogramował zespół Solmarin</translation>
    </message>
    <message>
        <source>Copyright 2026</source>
        <translation>Copyright 2026</translation>
    </message>
    <message>
        <source>All rights reserved.</source>
        <translation>Wszelkie prawa zastrzeżone.</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Wersja</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Gotowe</translation>
    </message>
</context>
<context>
    <name>Thelp</name>
    <message>
        <source>Solmarin - Help File</source>
        <translation>Solmarin - Pomoc</translation>
    </message>
    <message>
        <source>Overview</source>
        <translation>Wprowadzenie</translation>
    </message>
    <message>
        <source>Game Play</source>
        <translation>Zasady gry</translation>
    </message>
    <message>
        <source>Scoring</source>
        <translation>Punktacja</translation>
    </message>
    <message>
        <source>Documentation</source>
        <translation>Dokumentacja</translation>
    </message>
    <message>
        <source>About</source>
        <translation>O grze</translation>
    </message>
    <message>
        <source>Programmed by the</source>
        <translation>Zaprogramował</translation>
    </message>
    <message>
        <source>Solmarin team</source>
        <translation>zespół Solmarin</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Gotowe</translation>
    </message>
    <message>
        <source>Keys and Deals</source>
        <translation>Skróty i rozdania</translation>
    </message>
</context>
<context>
    <name>Thighscore</name>
    <message>
        <source>Solmarin - High Scores</source>
        <translation>Solmarin - Najlepsze wyniki</translation>
    </message>
    <message>
        <source>Solmarin High Score List</source>
        <translation>Ranking Solmarin</translation>
    </message>
    <message>
        <source>DONE</source>
        <translation>GOTOWE</translation>
    </message>
    <message>
        <source>Fetching the high score list...</source>
        <translation>Pobieranie listy wyników...</translation>
    </message>
    <message>
        <source>The high score list could not be fetched. The score server cannot be reached; open the list again to try once more.</source>
        <translation>Nie udało się pobrać listy wyników. Serwer wyników jest nieosiągalny; otwórz listę ponownie, aby spróbować jeszcze raz.</translation>
    </message>
    <message>
        <source>Deal of the Day</source>
        <translation>Rozdanie dnia</translation>
    </message>
    <message>
        <source>All Scores</source>
        <translation>Wszystkie wyniki</translation>
    </message>
    <message>
        <source>No scores have been posted for the Deal of the Day of %1 yet.</source>
        <translation>Nikt nie wysłał jeszcze wyniku dla rozdania dnia z %1.</translation>
    </message>
</context>
<context>
    <name>Tmain</name>
    <message>
        <source>START GAME</source>
        <translation>NOWA GRA</translation>
    </message>
    <message>
        <source>UNDO -3</source>
        <translation>COFNIJ -3</translation>
    </message>
    <message>
        <source>ENTER YOUR NAME</source>
        <translation>PODAJ SWOJE IMIĘ</translation>
    </message>
    <message>
        <source>DONE</source>
        <translation>GOTOWE</translation>
    </message>
    <message>
        <source>SORRY, YOU LOST!</source>
        <translation>NIESTETY, PRZEGRANA!</translation>
    </message>
    <message>
        <source>YOUR CLEARED THE BOARD!</source>
        <translation>PLANSZA WYCZYSZCZONA!</translation>
    </message>
    <message>
        <source>Enter Your Name</source>
        <translation>Podaj swoje imię</translation>
    </message>
    <message>
        <source>SEND SCORE</source>
        <translation>WYŚLIJ WYNIK</translation>
    </message>
    <message>
        <source>HIGH SCORES</source>
        <translation>RANKING</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>ANULUJ</translation>
    </message>
    <message>
        <source>Posting Score, Please Wait......</source>
        <translation>Wysyłanie wyniku, proszę czekać......</translation>
    </message>
    <message>
        <source>Update Available</source>
        <translation>Dostępna aktualizacja</translation>
    </message>
    <message>
        <source>Would you like to update now?</source>
        <translation>Czy zaktualizować teraz?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Gra</translation>
    </message>
    <message>
        <source>Start New Game</source>
        <translation>Nowa gra</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Cofnij</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Zakończ</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Opcje</translation>
    </message>
    <message>
        <source>Play Sounds</source>
        <translation>Dźwięki</translation>
    </message>
    <message>
        <source>Reset Screen Location</source>
        <translation>Przywróć położenie okna</translation>
    </message>
    <message>
        <source>Change  Name</source>
        <translation>Zmień imię</translation>
    </message>
    <message>
        <source>Automatically Check for Updates</source>
        <translation>Automatycznie sprawdzaj aktualizacje</translation>
    </message>
    <message>
        <source>Animate Cards</source>
        <translation>Animuj karty</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Widok</translation>
    </message>
    <message>
        <source>Tally List</source>
        <translation>Statystyki</translation>
    </message>
    <message>
        <source>View High Score List</source>
        <translation>Pokaż najlepsze wyniki</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Pomoc</translation>
    </message>
    <message>
        <source>About</source>
        <translation>O grze</translation>
    </message>
    <message>
        <source>Score: %1</source>
        <translation>Wynik: %1</translation>
    </message>
    <message>
        <source>Cards Left: %1</source>
        <translation>Pozostało kart: %1</translation>
    </message>
    <message>
        <source>Deal %1</source>
        <translation>Rozdanie %1</translation>
    </message>
    <message>
        <source>Good Luck %1</source>
        <translation>Powodzenia %1</translation>
    </message>
    <message>
        <source>Welcome to Solmarin by Velbor Software!</source>
        <translation>Witaj w grze Solmarin od Velbor Software!</translation>
    </message>
    <message>
        <source>You Cleared The Board!</source>
        <translation>Plansza wyczyszczona!</translation>
    </message>
    <message>
        <source>Your Score: %1</source>
        <translation>Twój wynik: %1</translation>
    </message>
    <message>
        <source>Posting Score, Please Wait</source>
        <translation>Wysyłanie wyniku, proszę czekać</translation>
    </message>
    <message>
        <source>Posting Failed.</source>
        <translation>Nie udało się wysłać.</translation>
    </message>
    <message>
        <source>Select Deal...</source>
        <translation>Wybierz rozdanie...</translation>
    </message>
    <message>
        <source>Restart Deal</source>
        <translation>Zacznij rozdanie od nowa</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Podpowiedź</translation>
    </message>
    <message>
        <source>This game can no longer be won.</source>
        <translation>Tej gry nie da się już wygrać.</translation>
    </message>
    <message>
        <source>Select Deal</source>
        <translation>Wybierz rozdanie</translation>
    </message>
    <message>
        <source>Deal number (0 to 4294967295):</source>
        <translation>Numer rozdania (od 0 do 4294967295):</translation>
    </message>
    <message>
        <source>Updating. Please Wait...</source>
        <translation>Aktualizacja. Proszę czekać...</translation>
    </message>
    <message>
        <source>Received %1 bytes</source>
        <translation>Odebrano bajtów: %1</translation>
    </message>
    <message>
        <source>Installing</source>
        <translation>Instalowanie</translation>
    </message>
    <message>
        <source>There was an error in the update process. Please download %1 manually from %2.</source>
        <translation>Podczas aktualizacji wystąpił błąd. Pobierz %1 ręcznie ze strony %2.</translation>
    </message>
    <message>
        <source>Download Aborted</source>
        <translation>Pobieranie przerwane</translation>
    </message>
    <message>
        <source>Winnable Deals Only</source>
        <translation>Tylko rozdania do wygrania</translation>
    </message>
    <message>
        <source>This deal cannot be won.</source>
        <translation>Tego rozdania nie da się wygrać.</translation>
    </message>
    <message>
        <source>Deal of the Day %1 (deal %2)</source>
        <translation>Rozdanie dnia %1 (rozdanie %2)</translation>
    </message>
    <message>
        <source>Deal of the Day</source>
        <translation>Rozdanie dnia</translation>
    </message>
    <message>
        <source>%1 web site</source>
        <translation>Strona internetowa %1</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Twoje imię</translation>
    </message>
    <message>
        <source>Hint: turn the stock.</source>
        <translation>Podpowiedź: odkryj kartę z talii.</translation>
    </message>
    <message>
        <source>Hint: play the %1.</source>
        <translation>Podpowiedź: zagraj kartę %1.</translation>
    </message>
</context>
<context>
    <name>Ttallylist</name>
    <message>
        <source>Confirm</source>
        <translation>Potwierdź</translation>
    </message>
    <message>
        <source>Are you sure you want to reset the Tally?</source>
        <translation>Czy na pewno wyzerować statystyki?</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Tak</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nie</translation>
    </message>
    <message>
        <source>Solmarin - Tally List</source>
        <translation>Solmarin - Statystyki</translation>
    </message>
    <message>
        <source>YOUR TALLY LIST</source>
        <translation>TWOJE STATYSTYKI</translation>
    </message>
    <message>
        <source>Total Games:</source>
        <translation>Gry:</translation>
    </message>
    <message>
        <source>Games Cleared:</source>
        <translation>Wygrane:</translation>
    </message>
    <message>
        <source>Win Percentage:</source>
        <translation>Skuteczność:</translation>
    </message>
    <message>
        <source>Longest Chain</source>
        <translation>Najdłuższa seria</translation>
    </message>
    <message>
        <source>HIGH SCORES</source>
        <translation>NAJLEPSZE WYNIKI</translation>
    </message>
    <message>
        <source>RESET TALLY</source>
        <translation>WYZERUJ</translation>
    </message>
    <message>
        <source>DONE</source>
        <translation>GOTOWE</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Miejsce</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Imię</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Wynik</translation>
    </message>
    <message>
        <source>YOUR TALLY LIST: %1. HIGH SCORES</source>
        <translation>TWOJE STATYSTYKI: %1. RANKING</translation>
    </message>
</context>
<context>
    <name>errorbox</name>
    <message>
        <source>An unexpected error occurred</source>
        <translation>Wystąpił nieoczekiwany błąd</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>Nie można zapisać pliku %1</translation>
    </message>
    <message>
        <source>%1 : this file has no valid header !</source>
        <translation>%1: ten plik nie ma prawidłowego nagłówka!</translation>
    </message>
    <message>
        <source>Error reading from the file %1</source>
        <translation>Błąd odczytu pliku %1</translation>
    </message>
    <message>
        <source>The file %1 cannot be opened</source>
        <translation>Nie można otworzyć pliku %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; nie jest prawidłową liczbą całkowitą</translation>
    </message>
    <message>
        <source>Unable to write to the temporary folder</source>
        <translation>Nie można zapisać w folderze tymczasowym</translation>
    </message>
</context>
</TS>
