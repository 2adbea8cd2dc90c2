<!--#include virtual="comune.inc"-->
<!--#include virtual="membri.inc"-->
<%
// A new customer signs up: his data, whether a business or a private
// customer, his interests. The shop makes his user name and password and
// mails them to him; a form with a fault comes back with what was typed
// and the reason.
var esito = -1;
var utenteNuovo = "", passwordNuova = "";
if (Posta()) {
    esito = area.RegistraUtente("", true, false);
    if (esito == 1) {
        area.Free();
        Response.Redirect("/default.asp");
    }
    utenteNuovo = String(area.UserID);
    passwordNuova = String(area.PasswordGenerata);
}
var collegato = area.ControlloUtenteCollegato() && !area.ControlloAgenteCollegato();
// An agent signs up a new customer of his on an empty form.
if (esito != 2 && area.ControlloAgenteCollegato())
    area.AzzeraDatiUtente();
var tipoScelto = String(Request.Form("TipoUtente") || "1");
var paginaCorrente = "/registrazione.asp";
var titoloPagina = T("PMTREGISTRAZIONE", "Registrati");
%>
<!--#include virtual="testa.inc"-->
<section class="sezione registrazione">
  <h1><%= H(titoloPagina) %></h1>
<% if (esito == 0) { %>
  <p class="messaggio ok" role="status" id="registrato"><%= H(T("MSGCONFERMAREG", "Registrazione effettuata.")) %></p>
<%   if (utenteNuovo !== "") { %>
  <p id="utente-nuovo"><%= H(T("MSGUTENTEREGISTRATO", "Il tuo nome utente è [N].", utenteNuovo)) %></p>
<%   } %>
<%   if (passwordNuova !== "") { %>
  <p class="messaggio ok" id="password-nuova"><%= H(T("MSGPASSWORDMOSTRATA", "La tua password è [N]. Annotala: non sarà mostrata di nuovo.", passwordNuova)) %></p>
<%   } else { %>
  <p id="password-inviata"><%= H(T("MSGPASSWORDINVIATA", "La password ti è stata inviata per e-mail.")) %></p>
<%   } %>
  <p><a class="bottone" href="/accesso.asp"><%= H(T("PMTACCEDI", "Accedi")) %></a></p>
<% } else if (collegato) { %>
  <p class="avviso" id="gia-registrato"><%= H(T("PMTCOLLEGATOCOME", "Sei collegato come")) %> <strong><%= H(area.UserID) %></strong>.</p>
  <p><a class="bottone" href="/profilo.asp"><%= H(T("PMTPROFILO", "Il mio profilo")) %></a></p>
<% } else { %>
  <p><%= H(T("PMTREGISTRAZIONETESTO", "Registrati per seguire i tuoi ordini e ricevere le nostre notizie.")) %></p>
<%   if (esito == 2) { %>
  <%= Errore() %>
<%   } %>
  <form class="modulo" method="post" action="/registrazione.asp" id="modulo-registrazione">
    <fieldset>
      <legend><%= H(T("PMTTIPOUTENTE", "Ti registri come")) %></legend>
      <label class="scelta"><input type="radio" name="TipoUtente" value="0"<%= tipoScelto === "0" ? " checked" : "" %>> <%= H(T("PMTTIPOAZIENDA", "Azienda")) %></label>
      <label class="scelta"><input type="radio" name="TipoUtente" value="1"<%= tipoScelto !== "0" ? " checked" : "" %>> <%= H(T("PMTTIPOPRIVATO", "Privato")) %></label>
    </fieldset>
    <fieldset>
      <legend><%= H(T("PMTDATIUTENTE", "Dati utente")) %></legend>
<%= CampiMembro() %>
    </fieldset>
    <%= CaselleInteressi() %>
    <label for="Note"><%= H(T("PMTNOTE", "Note")) %><%= Richiesto("Note") ? " *" : "" %></label>
    <textarea id="Note" name="Note" rows="3" maxlength="2000"><%= H(esito == 2 ? Request.Form("Note") : "") %></textarea>
    <p>
      <button class="bottone" type="submit" name="Submit" value="Registrati" id="invia-registrazione"><%= H(T("PMTREGISTRAZIONE", "Registrati")) %></button>
      <button class="bottone" type="submit" name="Submit" value="Annulla" formnovalidate><%= H(T("PMTANNULLA", "Annulla")) %></button>
    </p>
  </form>
<% } %>
</section>
<!--#include virtual="piede.inc"-->
<% area.Free(); %>
